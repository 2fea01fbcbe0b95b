# The headless backend for tests, benchmarks and the fuzz target: no display,
# the core's records looked at through headless.h, a virtual clock, OpenGL
# through OSMesa (tools/install-deps installs it).
find_library(OSMESA_LIB OSMesa REQUIRED)

add_library(platform_headless STATIC
  ${CMAKE_CURRENT_LIST_DIR}/headless.cpp
  ${CMAKE_CURRENT_LIST_DIR}/headless_screen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/headless_run.cpp)
target_link_libraries(platform_headless PUBLIC platform_core ${OSMESA_LIB})
