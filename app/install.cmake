# What `cmake --install` and `cpack -G DEB` put on the machine: the program,
# its menu entry and its icon in the sizes of the hicolor theme.
# Included at the end of app/CMakeLists.txt; the icon tool comes from tools/icons.
include(GNUInstallDirs)

# ---- manifest: paths below the prefix (/usr in the .deb) ---------------------
#   bin/heatball                                  the program
#   share/applications/heatball.desktop           its menu entry (Exec=heatball, Icon=heatball)
#   share/icons/hicolor/NxN/apps/heatball.png     its icon, icon 32512 made into PNGs,
#                                                 N = 16 22 24 32 48 64 128 256
if(TARGET heatball)
  install(TARGETS heatball RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/heatball.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
set(heatballIconSizes 16 22 24 32 48 64 128 256)
set(heatballIconSource ${CMAKE_SOURCE_DIR}/panels/resources/icon32512.ico)
set(heatballIconDir ${CMAKE_CURRENT_BINARY_DIR}/icons/hicolor)

# The PNGs are made at build time, into the build tree, by make_icon_png.
# That tool is defined in tools/, which CMake reads after app/, so the rule
# is added once the whole project has been read.
function(heatball_add_icons source dir destination)
  if(NOT TARGET make_icon_png OR NOT EXISTS ${source})
    message(WARNING "heatball: the icon tool make_icon_png or ${source} is missing; "
                    "the icon is neither made nor installed")
    return()
  endif()
  set(arguments)
  set(outputs)
  foreach(n IN LISTS ARGN)
    list(APPEND arguments ${n} ${dir}/${n}x${n}/apps/heatball.png)
    list(APPEND outputs ${dir}/${n}x${n}/apps/heatball.png)
    install(FILES ${dir}/${n}x${n}/apps/heatball.png
            DESTINATION ${destination}/${n}x${n}/apps)
  endforeach()
  add_custom_command(OUTPUT ${outputs}
    COMMAND make_icon_png ${source} ${arguments}
    DEPENDS make_icon_png ${source}
    COMMENT "Making the desktop icons from icon 32512"
    VERBATIM)
  add_custom_target(heatball_icons ALL DEPENDS ${outputs})
endfunction()
cmake_language(EVAL CODE "
  cmake_language(DEFER DIRECTORY [[${CMAKE_SOURCE_DIR}]]
    CALL heatball_add_icons [[${heatballIconSource}]] [[${heatballIconDir}]]
         [[${CMAKE_INSTALL_DATADIR}/icons/hicolor]] ${heatballIconSizes})")

# ---- the Debian package: cpack -G DEB in the build directory -----------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME heatball)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Seed 7e85c9c3 maintainers <maintainers@users.noreply.c-seed-7e85c9c3.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "heat conduction in a ball, drawn live in 3-D")
set(CPACK_PACKAGE_DESCRIPTION
  "An interactive picture of heat spreading through a solid ball. The surface
is held at a chosen temperature and the heat equation is solved live on a
polar grid of one meridian section; every step is drawn as a coloured disc
inside the half shell of the ball's surface. Turn the model with the mouse
and restart the run from a small control panel. For students and teachers.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps adds the packages of the libraries the program links (FLTK,
# OpenGL as GLVND's libOpenGL and libGLX, libX11, the C and C++ runtimes). Named here: the fonts (the panels'
# Arial is drawn as Liberation Sans) and FLTK's GL part, which the program
# does not link (it makes its contexts through GLX) but is declared with FLTK.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, libfltk-gl1.3")
# include(CPack) also offers a source tarball (make package_source): keep the
# git data and the build directories out of it.
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build[^/]*/" "/Testing/" "\\.swp$" "~$")
include(CPack)
