# The bench: its worker, the simulation's own code built as a worker script of
# its own (one file, WebAssembly inlined), which the page starts from a copy of
# its text; and the bench's scripts on the page.
add_executable(agvsim-bench-worker ${CMAKE_SOURCE_DIR}/web/bench/worker_entry.cpp
               ${CMAKE_SOURCE_DIR}/web/bench/bench_run.cpp)
target_link_libraries(agvsim-bench-worker PRIVATE agv_sim)
set_target_properties(agvsim-bench-worker PROPERTIES SUFFIX ".js")
target_link_options(agvsim-bench-worker PRIVATE
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/web/bench/worker.js"
  "-sEXPORTED_FUNCTIONS=['_agvBenchInput','_agvBenchRun','_agvBenchPacked','_agvBenchCell','_malloc','_free']"
  -O3 -sENVIRONMENT=worker -sSINGLE_FILE=1 -sINITIAL_MEMORY=33554432 -sAUTO_NATIVE_LIBRARIES=0)
set_property(TARGET agvsim-bench-worker APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/web/bench/worker.js)
set(AGV_BENCH_WORKER ${CMAKE_BINARY_DIR}/agvsim-bench-worker.js)

set(AGV_BENCH_SCRIPTS web/bench/bench_text.js web/bench/controls.js web/bench/pool.js web/bench/live.js
    web/bench/figures.js web/bench/plots.js web/bench/map.js web/bench/goals.js web/bench/hooks.js)
