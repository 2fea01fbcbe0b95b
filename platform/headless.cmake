# The headless backend for tests, benchmarks and the fuzz target: no display,
# the core's records looked at through headless.h, a virtual clock, OpenGL
# offscreen through EGL's surfaceless platform (headless_egl.cpp), which the
# pixel tests use directly as well.
find_package(OpenGL REQUIRED COMPONENTS OpenGL EGL)
add_library(platform_offscreen STATIC headless_egl.cpp)
target_link_libraries(platform_offscreen PUBLIC project_headers OpenGL::OpenGL OpenGL::EGL)

add_library(platform_headless STATIC headless.cpp headless_screen.cpp)
target_link_libraries(platform_headless PUBLIC platform_core platform_offscreen)
