# agv_web_gl: the program's own GL and bitmap-text calls over the canvas
# rasteriser, for the browser build (and natively, for comparing its frames).
set(AGV_WEB_GL_DIR ${CMAKE_CURRENT_LIST_DIR})
get_filename_component(AGV_WEB_GL_ROOT ${AGV_WEB_GL_DIR}/../.. ABSOLUTE)

set(AGV_WEB_GL_FONT ${CMAKE_BINARY_DIR}/web_gl/helvetica18.cpp)
add_custom_command(OUTPUT ${AGV_WEB_GL_FONT}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/web_gl
                   COMMAND bash ${AGV_WEB_GL_DIR}/font.sh ${CMAKE_BINARY_DIR} ${AGV_WEB_GL_FONT}
                   DEPENDS ${AGV_WEB_GL_DIR}/make_font.py ${AGV_WEB_GL_DIR}/font.sh
                   COMMENT "Generating the bitmap font from freeglut's source")

add_library(agv_web_gl STATIC
            ${AGV_WEB_GL_DIR}/bitmap_text.cpp ${AGV_WEB_GL_DIR}/clip.cpp
            ${AGV_WEB_GL_DIR}/exact_raster.cpp ${AGV_WEB_GL_DIR}/gl_api.cpp
            ${AGV_WEB_GL_DIR}/matrix.cpp ${AGV_WEB_GL_DIR}/raster.cpp
            ${AGV_WEB_GL_DIR}/setup.cpp ${AGV_WEB_GL_DIR}/webgl_batch.cpp ${AGV_WEB_GL_FONT})
target_include_directories(agv_web_gl PUBLIC ${AGV_WEB_GL_ROOT})
# Float arithmetic as Mesa's compiled C does it: no fused multiply-adds
# except where written out.
target_compile_options(agv_web_gl PRIVATE -ffp-contract=off)
if(EMSCRIPTEN)
  target_link_options(agv_web_gl INTERFACE "SHELL:--js-library ${AGV_WEB_GL_DIR}/present.js")
endif()
