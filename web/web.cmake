# The browser build (emcmake): the program as one self-contained agvsim.html,
# drawing through its own GL and GLUT (web/gl, web/glut), not emscripten's.
set(AGV_WEB_NODE_MODULES "${CMAKE_SOURCE_DIR}/web/node_modules" CACHE PATH "npm ci's folder for xterm.js")

include(cmake/libraries.cmake)
include(web/gl/gl.cmake)
include(web/bench/bench.cmake)

# The page emcc writes the program into: xterm.js, its CSS and the page's
# scripts inlined, the bench worker's among them.
set(AGV_PAGE_SCRIPTS web/page/language.js web/page/terminal.js web/page/link.js web/page/page.js
                     web/page/keys.js ${AGV_BENCH_SCRIPTS})
set(AGV_SHELL ${CMAKE_BINARY_DIR}/shell.html)
add_custom_command(OUTPUT ${AGV_SHELL}
  COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/web/page/make_shell.py ${CMAKE_SOURCE_DIR}/web/page/shell.html
          ${AGV_WEB_NODE_MODULES}/@xterm/xterm/lib/xterm.js ${AGV_WEB_NODE_MODULES}/@xterm/xterm/css/xterm.css
          ${AGV_BENCH_WORKER} ${AGV_SHELL} ${AGV_PAGE_SCRIPTS}
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
  DEPENDS web/page/make_shell.py web/page/shell.html ${AGV_PAGE_SCRIPTS} agvsim-bench-worker
          ${AGV_WEB_NODE_MODULES}/@xterm/xterm/lib/xterm.js)
add_custom_target(agv_shell DEPENDS ${AGV_SHELL})

# agv_web_page(target EXPORTS ... SOURCES ...): the program as a page, with these
# functions of its own exported beside the ones the page calls.
function(agv_web_page target)
  cmake_parse_arguments(ARG "" "" "EXPORTS;SOURCES" ${ARGN})
  add_executable(${target} ui/main.cpp web/glut/glut.cpp web/hooks.cpp web/bench/page_hooks.cpp
                           web/bench/bench_run.cpp ${ARG_SOURCES})
  add_dependencies(${target} agv_shell)
  set_target_properties(${target} PROPERTIES SUFFIX ".html")
  target_link_libraries(${target} PRIVATE agv_gui agv_tool_options agv_web_gl)
  set(exports _main _malloc _free _agvGlutReshape _agvGlutDisplay _agvGlutKeyboard _agvGlutTimer
              _agvWebView _agvWebSettings _agvWebVehicleNames _agvWebCsv _agvWebBenchApply ${ARG_EXPORTS})
  list(JOIN exports "','" exports)
  target_link_options(${target} PRIVATE
    "SHELL:--js-library ${CMAKE_SOURCE_DIR}/web/glut/glut.js"
    "SHELL:--shell-file ${AGV_SHELL}"
    -sASYNCIFY "-sASYNCIFY_IMPORTS=['terminalReadKey','fd_read']"
    "-sEXPORTED_FUNCTIONS=['${exports}']" "-sEXPORTED_RUNTIME_METHODS=['ccall']"
    -sAUTO_NATIVE_LIBRARIES=0 -sAUTO_JS_LIBRARIES=0
    -sSINGLE_FILE=1 -sMINIFY_HTML=0 -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS
    ${CMAKE_SOURCE_DIR}/web/glut/glut.js ${AGV_SHELL})
endfunction()

agv_web_page(agvsim)
# The same page with the browser benchmark's own entry points (tools/web.sh bench).
agv_web_page(agvsim-bench SOURCES bench/web_hooks.cpp EXPORTS _agvBenchSimulate _agvBenchShowLongestRun)
set_target_properties(agvsim-bench PROPERTIES EXCLUDE_FROM_ALL TRUE)
