# The FLTK backend for the program: FLTK 1.3 windows and dialogs, GLX
# contexts. platform_fltk_core implements platform.h over the core;
# platform_fltk adds main(), which opens the X display and calls ProgramMain.
# Tests link the core with their own main.
find_package(X11 REQUIRED)
find_library(FLTK_LIB fltk REQUIRED)
find_path(FLTK_INCLUDE FL/Fl.H REQUIRED)
find_library(FONTCONFIG_LIB fontconfig REQUIRED)

add_library(platform_fltk_core STATIC fltk_display.cpp fltk_window.cpp fltk_manager.cpp fltk_controls.cpp
            fltk_dialog.cpp fltk_gdi.cpp fltk_gl.cpp)
target_include_directories(platform_fltk_core SYSTEM PRIVATE ${FLTK_INCLUDE} ${X11_INCLUDE_DIR})
# The shared libfltk brings Xft and the other X libraries it needs;
# fontconfig is initialised by the backend itself.
target_link_libraries(platform_fltk_core PUBLIC platform_core ${FLTK_LIB} OpenGL::GL ${X11_X11_LIB} ${FONTCONFIG_LIB})

add_library(platform_fltk STATIC fltk_main.cpp)
target_link_libraries(platform_fltk PUBLIC platform_fltk_core)
