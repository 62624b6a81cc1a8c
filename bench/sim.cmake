# One complete six-run simulation with the start-up settings.
add_executable(bench_simulation ${CMAKE_CURRENT_SOURCE_DIR}/bench_simulation.cpp)
target_link_libraries(bench_simulation PRIVATE agv_sim benchmark::benchmark)
