# End-to-end window tests: the real program in a private Xvfb server, driven by keys.
add_executable(agv_record_probe ${CMAKE_CURRENT_SOURCE_DIR}/e2e/record_probe.cpp)
target_link_libraries(agv_record_probe PRIVATE agv_sim)

find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND AND NOT WIN32)
  add_test(NAME window_e2e
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/e2e/run_e2e.py
                   ${CMAKE_CURRENT_SOURCE_DIR}/e2e/test_window.py)
  set_tests_properties(window_e2e PROPERTIES
    ENVIRONMENT "AGV_PROGRAM=$<TARGET_FILE:agvsim>;AGV_RECORD_PROBE=$<TARGET_FILE:agv_record_probe>;AGV_VIDEO=$<TARGET_FILE:agvsim-video>"
    TIMEOUT 900 SKIP_RETURN_CODE 77 LABELS e2e)
endif()

# The Windows build under Wine against the Linux build in AGV_LINUX_BUILD.
if(WIN32 AND AGV_LINUX_BUILD)
  find_package(Python3 COMPONENTS Interpreter REQUIRED)
  add_test(NAME wine_e2e
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/e2e/run_e2e.py
                   ${CMAKE_CURRENT_SOURCE_DIR}/e2e/test_wine.py)
  set_tests_properties(wine_e2e PROPERTIES
    ENVIRONMENT "AGV_PROGRAM=${AGV_LINUX_BUILD}/agvsim;AGV_EXPORT=${AGV_LINUX_BUILD}/agvsim-export;AGV_WINDOWS_PROGRAM=$<TARGET_FILE:agvsim>;AGV_WINDOWS_EXPORT=$<TARGET_FILE:agvsim-export>"
    TIMEOUT 900 SKIP_RETURN_CODE 77 LABELS e2e RUN_SERIAL ON)
endif()
