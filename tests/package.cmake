# The Debian package, built and checked as a lab machine would install it.
# Not in the sanitizer build: that build is not what gets packaged; Windows gets a zip.
if(NOT AGV_SANITIZE AND NOT WIN32)
  add_test(NAME package COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package_check.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(package PROPERTIES TIMEOUT 300)
endif()
