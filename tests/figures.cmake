agv_test(figures_tests
  SOURCES test_primitives.cpp
  LIBS agv_gl_recorder)
