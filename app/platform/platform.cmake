# skylathe_platform: the operating-system seam, plain C++. Exactly one implementation is built.
add_library(skylathe_platform STATIC
    ${CMAKE_CURRENT_LIST_DIR}/Platform.h
    ${CMAKE_CURRENT_LIST_DIR}/ProcessMatch.h
    ${CMAKE_CURRENT_LIST_DIR}/ProcessMatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProcessWatch.h)
if(WIN32)
    target_sources(skylathe_platform PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/platform_win.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ProcessWatch_win.cpp)
    target_link_libraries(skylathe_platform PRIVATE advapi32 version)
    target_compile_definitions(skylathe_platform PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
else()
    target_sources(skylathe_platform PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/ProcFs.h
        ${CMAKE_CURRENT_LIST_DIR}/ProcFs.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ProcessWatch_linux.cpp
        ${CMAKE_CURRENT_LIST_DIR}/platform_linux.cpp
        ${CMAKE_CURRENT_LIST_DIR}/platform_linux_games.cpp
        ${CMAKE_CURRENT_LIST_DIR}/PlayerHome.h
        ${CMAKE_CURRENT_LIST_DIR}/PlayerHome.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SmallFile.h
        ${CMAKE_CURRENT_LIST_DIR}/SmallFile.cpp
        ${CMAKE_CURRENT_LIST_DIR}/WineRegistry.h
        ${CMAKE_CURRENT_LIST_DIR}/WineRegistry.cpp
        ${CMAKE_CURRENT_LIST_DIR}/WinePrefixPath.h
        ${CMAKE_CURRENT_LIST_DIR}/WinePrefixPath.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SteamLibraryFile.h
        ${CMAKE_CURRENT_LIST_DIR}/SteamLibraryFile.cpp
        ${CMAKE_CURRENT_LIST_DIR}/LutrisGameFile.h
        ${CMAKE_CURRENT_LIST_DIR}/LutrisGameFile.cpp)
endif()
set_target_properties(skylathe_platform PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
