# Console dialog, number entry, single-key read and the program's start-up.
set(AGV_DIALOG_TEST_LIBS agv_gui)
if(TARGET agv_gl_recorder)
  set(AGV_DIALOG_TEST_LIBS agv_gl_recorder)
endif()
agv_test(test_dialog SOURCES test_dialog.cpp LIBS ${AGV_DIALOG_TEST_LIBS})
agv_test(test_console_input SOURCES test_console_input.cpp
         $<IF:$<BOOL:${WIN32}>,stdin_pipe_windows.cpp,stdin_pipe.cpp> LIBS agv_platform)
# These fork the program and drive POSIX terminals.
if(NOT WIN32)
  # Drives build/agvsim itself, so it must be built first.
  agv_test(test_console_input_program SOURCES test_console_input_program.cpp LIBS agv_platform util)
  add_dependencies(test_console_input_program agvsim)
endif()
