# agvsim-sweep's throughput with one worker, its speed-up up to every core, and its cost over the bare simulation.
add_executable(bench_sweep ${CMAKE_CURRENT_SOURCE_DIR}/bench_sweep.cpp)
target_link_libraries(bench_sweep PRIVATE agv_sim)
target_compile_definitions(bench_sweep PRIVATE AGV_SWEEP="$<TARGET_FILE:agvsim-sweep>")
add_dependencies(bench_sweep agvsim-sweep)
