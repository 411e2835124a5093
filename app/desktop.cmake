# The desktop integration: the application icon (window icon and icon theme), the launcher entry, the
# AppStream metadata and the man page. packaging/ installs them.
set(SKYLATHE_APP_ID org.skylathe.Skylathe)
set(SKYLATHE_DESKTOP_DIR ${CMAKE_CURRENT_LIST_DIR}/desktop)

target_sources(skylathe_appcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ApplicationIcon.h
    ${CMAKE_CURRENT_LIST_DIR}/ApplicationIcon.cpp)
qt_add_resources(skylathe_appcore skylathe_application_icon
    PREFIX "/appicon"
    BASE ${SKYLATHE_DESKTOP_DIR}
    FILES ${SKYLATHE_DESKTOP_DIR}/${SKYLATHE_APP_ID}.svg)

# The icon theme's PNG sizes, drawn from the SVG.
add_executable(skylathe-render-icon ${SKYLATHE_DESKTOP_DIR}/RenderIcon.cpp)
target_link_libraries(skylathe-render-icon PRIVATE Qt6::Gui Qt6::Svg)
set(SKYLATHE_ICON_PNGS)
foreach(size 48 128 256)
    set(png ${CMAKE_BINARY_DIR}/desktop/icons/${size}x${size}/${SKYLATHE_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/desktop/icons/${size}x${size}
        COMMAND skylathe-render-icon ${SKYLATHE_DESKTOP_DIR}/${SKYLATHE_APP_ID}.svg ${size} ${png}
        DEPENDS skylathe-render-icon ${SKYLATHE_DESKTOP_DIR}/${SKYLATHE_APP_ID}.svg
        VERBATIM)
    list(APPEND SKYLATHE_ICON_PNGS ${png})
endforeach()

# Debian wants man pages compressed; -n keeps the archive free of a time stamp.
set(SKYLATHE_MAN_PAGE ${CMAKE_BINARY_DIR}/desktop/skylathe-cli.1.gz)
add_custom_command(OUTPUT ${SKYLATHE_MAN_PAGE}
    COMMAND gzip -9 -n -c ${SKYLATHE_DESKTOP_DIR}/skylathe-cli.1 > ${SKYLATHE_MAN_PAGE}
    DEPENDS ${SKYLATHE_DESKTOP_DIR}/skylathe-cli.1)
add_custom_target(skylathe_desktop_files ALL DEPENDS ${SKYLATHE_ICON_PNGS} ${SKYLATHE_MAN_PAGE})
