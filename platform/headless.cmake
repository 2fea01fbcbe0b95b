# The headless backend for tests, benchmarks and the fuzz target: no display,
# the core's records looked at through headless.h, a virtual clock, OpenGL
# through OSMesa (tools/install-deps installs it).
find_library(OSMESA_LIB OSMesa REQUIRED)

add_library(platform_headless STATIC headless.cpp headless_screen.cpp)
target_link_libraries(platform_headless PUBLIC platform_core ${OSMESA_LIB})
