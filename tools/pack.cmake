# skylathe-pack: the build-time tool that assembles the embedded data package (see resources/package.cmake).
add_executable(skylathe-pack
    ${CMAKE_CURRENT_LIST_DIR}/pack/main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pack/Artwork.h ${CMAKE_CURRENT_LIST_DIR}/pack/Artwork.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pack/Dds.h ${CMAKE_CURRENT_LIST_DIR}/pack/Dds.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pack/HelpPage.h ${CMAKE_CURRENT_LIST_DIR}/pack/HelpPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pack/Textures.h ${CMAKE_CURRENT_LIST_DIR}/pack/Textures.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pack/ZipWriter.h ${CMAKE_CURRENT_LIST_DIR}/pack/ZipWriter.cpp
)
target_link_libraries(skylathe-pack PRIVATE skylathe_data Qt6::Gui Qt6::Svg ZLIB::ZLIB)
