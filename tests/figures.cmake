agv_test(figures_tests
  SOURCES test_primitives.cpp test_shapes.cpp
  LIBS agv_gl_recorder)
