# The page's bench computation, built natively.
agv_test(test_bench_run SOURCES test_bench_run.cpp ${CMAKE_SOURCE_DIR}/web/bench/bench_run.cpp LIBS agv_sim)
target_include_directories(test_bench_run PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
