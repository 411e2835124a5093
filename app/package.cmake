# The data package reader and the first-start unpacking.
target_sources(skylathe_appcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DataPackage.h
    ${CMAKE_CURRENT_LIST_DIR}/DataPackage.cpp
)
target_link_libraries(skylathe_appcore PUBLIC ZLIB::ZLIB)
