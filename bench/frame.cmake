# Frame time in a real GLUT window; run it under Xvfb with bench/run_frame_bench.sh.
add_executable(bench_frame ${CMAKE_CURRENT_SOURCE_DIR}/bench_frame.cpp)
target_link_libraries(bench_frame PRIVATE agv_gui OpenGL::GL GLUT::GLUT ${X11_LIBRARIES}
                                          benchmark::benchmark)
