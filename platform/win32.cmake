# The platform on Windows: each operation over the real Win32, GDI and WGL
# call (platform/win32_*.cpp), and WinMain, which calls ProgramMain. Built
# with the MinGW-w64 toolchain (tools/mingw-w64-x86_64.cmake).
enable_language(RC)

# <GL/gl.h> includes <windows.h> unless these two are defined; the program's
# files must not see <windows.h> (its macros take platform.h's names).
target_compile_definitions(project_headers INTERFACE "WINGDIAPI=__declspec(dllimport)" "APIENTRY=__stdcall")

add_library(platform_win32 STATIC win32_window.cpp win32_queue.cpp win32_dialog.cpp win32_gdi.cpp win32_gl.cpp
            win32_same_names.cpp)
target_link_libraries(platform_win32 PUBLIC project_headers OpenGL::GL gdi32 user32)

# WinMain is wanted only by the C runtime, which comes last on a link line:
# the program takes it in as an object, $<TARGET_OBJECTS:platform_win32_main>.
add_library(platform_win32_main OBJECT win32_main.cpp)
target_link_libraries(platform_win32_main PUBLIC project_headers)
