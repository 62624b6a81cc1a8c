# agvsim-export and agvsim-sweep: their command lines, and its runs against the independent Python model.
find_package(Python3 COMPONENTS Interpreter REQUIRED)
agv_program(AGV_EXPORT agvsim-export)
if(NOT WIN32)
  agv_program(AGV_SWEEP agvsim-sweep)
endif()

# The exporter as it wrote numbers before, with 17 significant digits: the
# shortest form must read back to the same doubles. Its own copy of the row
# writer comes before the library's.
add_executable(agvsim-export-17-digits ${CMAKE_SOURCE_DIR}/tools/export.cpp
               ${CMAKE_SOURCE_DIR}/tools/common/csv_rows.cpp)
target_compile_definitions(agvsim-export-17-digits PRIVATE AGV_EXPORT_17_DIGITS)
target_link_libraries(agvsim-export-17-digits PRIVATE agv_tool_options)
agv_program(AGV_EXPORT_17_DIGITS agvsim-export-17-digits)

# Debian's interpreter, the one agvsim-plot runs with, sees Debian's matplotlib.
add_test(NAME export_cli
         COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/test_export.py
                 ${AGV_EXPORT} ${AGV_EXPORT_17_DIGITS}
                 $<TARGET_FILE_DIR:agvsim-export>/agvsim-plot ${AGV_SWEEP})
set_tests_properties(export_cli PROPERTIES TIMEOUT 300)

# Each setting costs the Python model a few seconds per path; the start-up
# settings include a run to the 3000-sample bound on both paths. The last two
# put every imperfection of the vehicle on at once.
set(EXPORT_REFERENCE_SETTINGS
    "startup_line --path line"
    "startup_circle --path circle"
    "line_slow_heading_back --path line --fn 0.5 --zeta 1.0 --pose 1 -1.5 170"
    "line_underdamped --path line --fn 0.8 --zeta 0.4 --pose -1 0.3 -60"
    "circle_inside --path circle --fn 0.3 --zeta 0.9 --pose 0.5 -0.5 135"
    "circle_far --path circle --fn 1.5 --zeta 0.6 --pose 2.5 -2 45"
    "line_imperfect_vehicle --path line --fn 0.5 --pose -2 0.2 0 --speed-factor 1.1 --wheelbase 0.9
     --input-bias 3 --steer-offset 1.5 --drift 0.03 --noise-d 0.01 --noise-theta 0.5 --seed 7 --delay 0.05"
    "circle_imperfect_vehicle --path circle --fn 0.8 --zeta 0.5 --pose 1 -1 30 --speed-factor 0.8
     --wheelbase 1.2 --input-bias -2 --steer-offset -1 --drift -0.02 --noise-d 0.005 --noise-theta 1
     --seed 4000000000 --delay 0.12")
foreach(setting ${EXPORT_REFERENCE_SETTINGS})
  separate_arguments(parts UNIX_COMMAND "${setting}")
  list(GET parts 0 name)
  list(REMOVE_AT parts 0)
  add_test(NAME export_reference_${name}
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/reference_model.py
                   ${AGV_EXPORT} ${parts})
  set_tests_properties(export_reference_${name} PROPERTIES TIMEOUT 900)
endforeach()

agv_test(test_shortest_number SOURCES test_shortest_number.cpp LIBS agv_tool_options)
