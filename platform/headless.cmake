# The platform for tests, benchmarks and the fuzz target: no display, windows
# as records, a virtual clock, OpenGL through OSMesa.
find_library(OSMESA_LIB OSMesa)
if(NOT OSMESA_LIB)
  message(STATUS "OSMesa not found: platform_headless is not built")
  return()
endif()

add_library(platform_headless STATIC
  ${CMAKE_CURRENT_LIST_DIR}/headless.cpp
  ${CMAKE_CURRENT_LIST_DIR}/headless_run.cpp)
target_link_libraries(platform_headless PUBLIC project_headers ${OSMESA_LIB})
if(TARGET platform_decode)
  target_link_libraries(platform_headless PUBLIC platform_decode)
  target_compile_definitions(platform_headless PRIVATE HEADLESS_HAVE_DECODE=1)
endif()
