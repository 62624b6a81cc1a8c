# The canvas rasteriser: its rules, and its frames against the real program's
# window under Xvfb.
if(NOT WIN32)
  include(${CMAKE_SOURCE_DIR}/web/gl/gl.cmake)
  add_executable(agv_raster_frames ${CMAKE_CURRENT_SOURCE_DIR}/e2e/raster_frames.cpp)
  target_link_libraries(agv_raster_frames PRIVATE agv_gui agv_web_gl ${X11_LIBRARIES})
  add_executable(agv_raster_rules_canvas ${CMAKE_CURRENT_SOURCE_DIR}/e2e/raster_rules.cpp)
  target_compile_definitions(agv_raster_rules_canvas PRIVATE AGV_RULES_CANVAS)
  target_link_libraries(agv_raster_rules_canvas PRIVATE agv_web_gl)
  add_executable(agv_raster_rules_mesa ${CMAKE_CURRENT_SOURCE_DIR}/e2e/raster_rules.cpp)
  target_link_libraries(agv_raster_rules_mesa PRIVATE OpenGL::GL GLUT::GLUT)

  find_package(Python3 COMPONENTS Interpreter)
  if(Python3_Interpreter_FOUND)
    add_test(NAME raster_e2e
             COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/e2e/run_e2e.py
                     ${CMAKE_CURRENT_SOURCE_DIR}/e2e/test_raster.py)
    set_tests_properties(raster_e2e PROPERTIES
      ENVIRONMENT "AGV_PROGRAM=$<TARGET_FILE:agvsim>;AGV_RASTER_FRAMES=$<TARGET_FILE:agv_raster_frames>;AGV_RASTER_RULES=$<TARGET_FILE:agv_raster_rules_mesa>,$<TARGET_FILE:agv_raster_rules_canvas>"
      TIMEOUT 600 SKIP_RETURN_CODE 77 LABELS e2e)
  endif()
endif()
