# Console dialog, number entry, single-key read and the program's start-up.
set(AGV_DIALOG_TEST_LIBS agv_gui)
if(TARGET agv_gl_recorder)
  set(AGV_DIALOG_TEST_LIBS agv_gl_recorder)
endif()
agv_test(test_dialog SOURCES test_dialog.cpp LIBS ${AGV_DIALOG_TEST_LIBS})
