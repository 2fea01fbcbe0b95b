# What `cmake --install` puts on the machine, and so the Debian package: the
# program, its manual page, its menu entry, its AppStream metainfo and its
# icon. Included at the end of app/CMakeLists.txt; the PNG icons are rendered
# from the SVGs in app/icons by rsvg-convert (librsvg2-bin) at build time.
include(GNUInstallDirs)

# ---- manifest: paths below the prefix (/usr in the .deb) ---------------------
#   bin/heatball                                    the program
#   share/man/man1/heatball.1                       its manual page
#   share/applications/<id>.desktop                 its menu entry (Exec=heatball, Icon=<id>)
#   share/metainfo/<id>.metainfo.xml               its AppStream metainfo, for software centres
#   share/icons/hicolor/scalable/apps/<id>.svg      its icon, heatball.svg
#   share/icons/hicolor/NxN/apps/<id>.png           the icon rendered, N = 16 22 24 32 48 64 128 256
# <id> is the program's reverse-DNS application id below.
set(heatballAppId example.c_seed_7e85c9c3.heatball)

install(TARGETS heatball RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/heatball.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/${heatballAppId}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/${heatballAppId}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(iconDestination ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/icons/heatball.svg
        DESTINATION ${iconDestination}/scalable/apps RENAME ${heatballAppId}.svg)

# 16 pixels come from a drawing of their own on the pixel grid; the other
# sizes from the scalable icon.
find_program(RSVG_CONVERT rsvg-convert)
if(NOT RSVG_CONVERT)
  message(FATAL_ERROR "rsvg-convert (package librsvg2-bin) is missing: the PNG icons cannot be "
                      "made. tools/install-deps installs it.")
endif()
set(iconPngs)
foreach(n 16 22 24 32 48 64 128 256)
  set(source ${CMAKE_CURRENT_SOURCE_DIR}/icons/heatball.svg)
  if(n EQUAL 16)
    set(source ${CMAKE_CURRENT_SOURCE_DIR}/icons/heatball-16.svg)
  endif()
  set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${n}x${n}/${heatballAppId}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${n}x${n}
    COMMAND ${RSVG_CONVERT} --width ${n} --height ${n} --output ${png} ${source}
    DEPENDS ${source}
    COMMENT "Rendering the ${n} x ${n} icon"
    VERBATIM)
  list(APPEND iconPngs ${png})
  install(FILES ${png} DESTINATION ${iconDestination}/${n}x${n}/apps)
endforeach()
add_custom_target(heatball_icons ALL DEPENDS ${iconPngs})
