# Drawing and key tests against the recording stand-in for GL and GLUT.
if(TARGET agv_gl_recorder)
  agv_test(display_tests
    SOURCES test_scene.cpp test_scene_window.cpp test_texts.cpp test_phase_plane.cpp test_keys.cpp
    LIBS agv_gl_recorder)
  # The window title goes through Xlib, which the stand-in does not replace.
  target_link_libraries(display_tests PRIVATE agv_gui ${X11_LIBRARIES})
endif()
