agv_test(sim_tests
  SOURCES test_gains.cpp test_tracking.cpp test_vehicle.cpp test_integration.cpp test_imperfections.cpp test_poles.cpp
          test_record.cpp test_run.cpp test_closed_loop.cpp test_run_figures.cpp
  LIBS agv_sim)
# Writes to POSIX pseudo-terminals.
if(NOT WIN32)
  agv_test(console_output_tests SOURCES test_console_output.cpp LIBS agv_platform util)
endif()
