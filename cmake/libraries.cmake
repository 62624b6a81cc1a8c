# The libraries every build links the same way: the OS layer, the model, the
# drawing and interaction code, and the options the tools share.
file(GLOB PLATFORM_SOURCES CONFIGURE_DEPENDS platform/*.cpp)
# The window system's part goes with the drawing code, which links GL (and X).
file(GLOB WINDOW_SYSTEM_SOURCES CONFIGURE_DEPENDS platform/window_system*.cpp)
list(REMOVE_ITEM PLATFORM_SOURCES ${WINDOW_SYSTEM_SOURCES})
agv_platform_sources(PLATFORM_SOURCES)
agv_platform_sources(WINDOW_SYSTEM_SOURCES)
# Worker processes are forked: the grid tool is built for Linux only.
if(WIN32 OR EMSCRIPTEN)
  list(REMOVE_ITEM PLATFORM_SOURCES ${CMAKE_SOURCE_DIR}/platform/worker_processes.cpp)
endif()
add_library(agv_platform STATIC ${PLATFORM_SOURCES})
target_include_directories(agv_platform PUBLIC ${CMAKE_SOURCE_DIR})

# The model builds without any GL header.
file(GLOB SIM_SOURCES CONFIGURE_DEPENDS sim/*.cpp)
add_library(agv_sim STATIC ${SIM_SOURCES})
target_link_libraries(agv_sim PUBLIC agv_platform)

# Drawing and interaction. GL and GLUT are linked by the final executable:
# the real libraries, the browser's own, or a recording stand-in for the tests.
file(GLOB GUI_SOURCES CONFIGURE_DEPENDS figures/*.cpp display/*.cpp ui/*.cpp)
list(REMOVE_ITEM GUI_SOURCES ${CMAKE_SOURCE_DIR}/ui/main.cpp)
add_library(agv_gui STATIC ${GUI_SOURCES} ${WINDOW_SYSTEM_SOURCES})
target_include_directories(agv_gui PUBLIC ${OPENGL_INCLUDE_DIR} ${GLUT_INCLUDE_DIR} ${X11_INCLUDE_DIR})
target_link_libraries(agv_gui PUBLIC agv_sim)

# The options every companion tool takes for the runs.
file(GLOB TOOL_COMMON_SOURCES CONFIGURE_DEPENDS tools/common/*.cpp)
add_library(agv_tool_options STATIC ${TOOL_COMMON_SOURCES})
target_link_libraries(agv_tool_options PUBLIC agv_sim)
