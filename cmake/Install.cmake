# ---------------------------------------------------------------------------
# Installation into PREFIX (cmake --install BUILD --prefix PREFIX) and the
# Debian package (cpack -G DEB). The program finds PREFIX/share/tessellon from
# PREFIX/bin, so the two folder names below must stay as they are.
# ---------------------------------------------------------------------------
set(TESSELLON_APP_ID com.velmora.Tessellon)
set(TESSELLON_INSTALL_RESOURCES share/tessellon)
set(TESSELLON_APP_ICON_SIZES 16 32 48 64 128 256)

# The program's icon, drawn by the same generator as the toolbox icons.
set(TESSELLON_APP_ICON_DIR ${CMAKE_BINARY_DIR}/app-icon)
set(TESSELLON_APP_ICON_FILES ${TESSELLON_APP_ICON_DIR}/${TESSELLON_APP_ID}.svg)
foreach(size IN LISTS TESSELLON_APP_ICON_SIZES)
    list(APPEND TESSELLON_APP_ICON_FILES ${TESSELLON_APP_ICON_DIR}/${TESSELLON_APP_ID}-${size}.png)
endforeach()
add_custom_command(
    OUTPUT ${TESSELLON_APP_ICON_FILES}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TESSELLON_APP_ICON_DIR}
    COMMAND ${CMAKE_COMMAND} -E env SDL_VIDEODRIVER=dummy
            $<TARGET_FILE:make_icons> --app-icon ${TESSELLON_APP_ICON_DIR} ${TESSELLON_APP_ID}
    DEPENDS make_icons
    COMMENT "Drawing the program's icon")
add_custom_target(tessellon_app_icon ALL DEPENDS ${TESSELLON_APP_ICON_FILES})

configure_file(${CMAKE_SOURCE_DIR}/data/tessellon.1.in ${CMAKE_BINARY_DIR}/tessellon.1 @ONLY)

# The installed fonts are links to the files of the Debian font packages, so the
# package depends on those instead of carrying copies of them.
set(TESSELLON_FONT_LINK_DIR ${CMAKE_BINARY_DIR}/font-links)
file(MAKE_DIRECTORY ${TESSELLON_FONT_LINK_DIR})
file(CREATE_LINK ${TESSELLON_MENU_FONT} ${TESSELLON_FONT_LINK_DIR}/menu.ttf SYMBOLIC)
file(CREATE_LINK ${TESSELLON_CAD_FONT} ${TESSELLON_FONT_LINK_DIR}/cad.ttf SYMBOLIC)

install(TARGETS tessellon RUNTIME DESTINATION bin)
install(FILES ${TESSELLON_FONT_LINK_DIR}/menu.ttf ${TESSELLON_FONT_LINK_DIR}/cad.ttf
    DESTINATION ${TESSELLON_INSTALL_RESOURCES}/fonts)
install(DIRECTORY ${TESSELLON_RESOURCE_DIR}/images DESTINATION ${TESSELLON_INSTALL_RESOURCES})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/ DESTINATION ${TESSELLON_INSTALL_RESOURCES})

install(FILES ${CMAKE_SOURCE_DIR}/data/${TESSELLON_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/${TESSELLON_APP_ID}.xml DESTINATION share/mime/packages)
install(FILES ${CMAKE_SOURCE_DIR}/data/${TESSELLON_APP_ID}.thumbnailer
    DESTINATION share/thumbnailers)
install(FILES ${CMAKE_BINARY_DIR}/tessellon.1 DESTINATION share/man/man1)
install(FILES ${TESSELLON_APP_ICON_DIR}/${TESSELLON_APP_ID}.svg
    DESTINATION share/icons/hicolor/scalable/apps)
foreach(size IN LISTS TESSELLON_APP_ICON_SIZES)
    install(FILES ${TESSELLON_APP_ICON_DIR}/${TESSELLON_APP_ID}-${size}.png
        DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${TESSELLON_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessellon)
set(CPACK_PACKAGE_VENDOR Velmora)
set(CPACK_PACKAGE_CONTACT "Velmora <tessellon@velmora.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "drafting on squared paper")
set(CPACK_PACKAGE_DESCRIPTION
    "Tessellon draws plans to scale on squared paper: lines, dashed lines, arrows, self-labelling measurements, rectangles, circles, regular polygons and rotated text on sixteen layers, saved as .tsln documents, exported as PNG and printed at true size.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.34), libstdc++6 (>= 12), libgcc-s1, libsdl2-2.0-0 (>= 2.0.18), libsdl2-ttf-2.0-0 (>= 2.20), libsdl2-image-2.0-0, libsdl2-gfx-1.0-0, libphysfs1 (>= 3.0), libcairo2 (>= 1.16), libfreetype6, zlib1g, fonts-dejavu-core, fonts-osifont")
# xdg-open shows the help page and lp prints; without them those two commands
# say so in the status line.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, cups-client")
include(CPack)
