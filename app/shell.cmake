# The shell's pieces: services on the platform layer, the image collection, game discovery, the font.
target_sources(skylathe_appcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ImageCollection.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Services.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FindGameFolder.h
    ${CMAKE_CURRENT_LIST_DIR}/FindGameFolder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProgramFolder.h
    ${CMAKE_CURRENT_LIST_DIR}/ProgramFolder.cpp)
target_link_libraries(skylathe_appcore PUBLIC skylathe_platform)

# The artwork of the image collection, embedded as ":/images/<Name>.svg". The collection lists that
# folder, so a new picture needs nothing but its file.
file(GLOB skylathe_images CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/resources/images/*.svg ${CMAKE_SOURCE_DIR}/resources/images/*.png)
qt_add_resources(skylathe_appcore skylathe_images
    PREFIX "/images"
    BASE ${CMAKE_SOURCE_DIR}/resources/images
    FILES ${skylathe_images})

# Window pieces: the folder browser of the discovery and the display font.
target_sources(skylathe_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/GameFolderBrowser.h
    ${CMAKE_CURRENT_LIST_DIR}/GameFolderBrowser.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DisplayFont.h
    ${CMAKE_CURRENT_LIST_DIR}/DisplayFont.cpp)
qt_add_resources(skylathe_gui skylathe_display_font
    PREFIX "/font"
    BASE ${CMAKE_SOURCE_DIR}/resources/font
    FILES ${CMAKE_SOURCE_DIR}/resources/font/texgyrepagella-bold.otf)

# The Windows program's version resource; the program target adds ${SKYLATHE_VERSION_RC} on WIN32.
if(WIN32)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/Skylathe.rc.in ${CMAKE_BINARY_DIR}/generated/Skylathe.rc @ONLY)
    set(SKYLATHE_VERSION_RC ${CMAKE_BINARY_DIR}/generated/Skylathe.rc)
endif()
