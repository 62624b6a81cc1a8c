# agvsim-export: its command line, and its runs against the independent Python model.
find_package(Python3 COMPONENTS Interpreter REQUIRED)
agv_program(AGV_EXPORT agvsim-export)

add_test(NAME export_cli
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/test_export.py
                 ${AGV_EXPORT})
set_tests_properties(export_cli PROPERTIES TIMEOUT 300)

# Each setting costs the Python model a few seconds per path; the start-up
# settings include a run to the 3000-sample bound on both paths.
set(EXPORT_REFERENCE_SETTINGS
    "startup_line --path line"
    "startup_circle --path circle"
    "line_slow_heading_back --path line --fn 0.5 --zeta 1.0 --pose 1 -1.5 170"
    "line_underdamped --path line --fn 0.8 --zeta 0.4 --pose -1 0.3 -60"
    "circle_inside --path circle --fn 0.3 --zeta 0.9 --pose 0.5 -0.5 135"
    "circle_far --path circle --fn 1.5 --zeta 0.6 --pose 2.5 -2 45")
foreach(setting ${EXPORT_REFERENCE_SETTINGS})
  separate_arguments(parts UNIX_COMMAND "${setting}")
  list(GET parts 0 name)
  list(REMOVE_AT parts 0)
  add_test(NAME export_reference_${name}
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/reference_model.py
                   ${AGV_EXPORT} ${parts})
  set_tests_properties(export_reference_${name} PROPERTIES TIMEOUT 900)
endforeach()
