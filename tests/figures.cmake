agv_test(figures_tests
  SOURCES test_primitives.cpp test_shapes.cpp test_vehicle_figure.cpp
  LIBS agv_gl_recorder)
