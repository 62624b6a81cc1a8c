# Windows build (cross-compiled with mingw-w64): static freeglut, the zip for the lab PCs.

# freeglut is linked as a static library, so its header must declare no DLL imports
# in every file that includes it.
add_compile_definitions(FREEGLUT_STATIC)
# Linked statically, freeglut shares the program's exit; the header's inline
# wrappers for a DLL's exit would also hide the functions the tests stand in for.
add_compile_definitions(GLUT_DISABLE_ATEXIT_HACK)
# GL and WGL are called through the import library's stubs rather than as
# declared DLL imports, so that the tests' recording stand-in can define them.
add_compile_definitions(_GDI32_)
find_path(GLUT_INCLUDE_DIR GL/glut.h REQUIRED)
find_library(GLUT_LIBRARY glut REQUIRED)
add_library(GLUT::GLUT STATIC IMPORTED)
set_target_properties(GLUT::GLUT PROPERTIES
  IMPORTED_LOCATION ${GLUT_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${GLUT_INCLUDE_DIR}
  INTERFACE_LINK_LIBRARIES "opengl32;winmm;gdi32")

# The zip carries no symbol tables: a teacher's PC has no debugger for them.
string(APPEND CMAKE_EXE_LINKER_FLAGS_RELEASE " -s")

# dist/agvsim-<version>-win64.zip: the two console programs, README.txt and the browser
# page (make web's dist/agvsim.html), side by side.
set(AGV_WINDOWS_ZIP ${CMAKE_SOURCE_DIR}/dist/agvsim-${PROJECT_VERSION}-win64.zip)
set(AGV_WINDOWS_STAGE ${CMAKE_BINARY_DIR}/zip)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows-README.txt ${AGV_WINDOWS_STAGE}/README.txt
               NEWLINE_STYLE CRLF)
add_custom_command(
  OUTPUT ${AGV_WINDOWS_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_SOURCE_DIR}/dist
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:agvsim> $<TARGET_FILE:agvsim-export>
          ${CMAKE_SOURCE_DIR}/dist/agvsim.html ${AGV_WINDOWS_STAGE}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${AGV_WINDOWS_ZIP}
  COMMAND ${CMAKE_COMMAND} -E chdir ${AGV_WINDOWS_STAGE}
          ${CMAKE_COMMAND} -E tar cf ${AGV_WINDOWS_ZIP} --format=zip agvsim.exe agvsim-export.exe README.txt
          agvsim.html
  DEPENDS agvsim agvsim-export ${AGV_WINDOWS_STAGE}/README.txt ${CMAKE_SOURCE_DIR}/dist/agvsim.html
  COMMENT "Writing dist/agvsim-${PROJECT_VERSION}-win64.zip")
add_custom_target(windows-zip DEPENDS ${AGV_WINDOWS_ZIP})
