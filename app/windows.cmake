# The main window and the program entry.
target_sources(skylathe_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/MainFormUnit.h
    ${CMAKE_CURRENT_LIST_DIR}/MainFormUnit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainFormUnit.ui
    ${CMAKE_CURRENT_LIST_DIR}/Forms.h
    ${CMAKE_CURRENT_LIST_DIR}/Forms.cpp
)
# Every window source may include "ui_MainFormUnit.h"; tests include it as well.
set_property(TARGET skylathe_gui APPEND PROPERTY AUTOUIC_SEARCH_PATHS ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_SOURCE_DIR}/ui)
target_include_directories(skylathe_gui PUBLIC ${CMAKE_BINARY_DIR}/skylathe_gui_autogen/include)

add_executable(Skylathe WIN32 ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(Skylathe PRIVATE skylathe_gui)
if(WIN32 AND EXISTS ${CMAKE_CURRENT_LIST_DIR}/Skylathe.rc.in)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/Skylathe.rc.in ${CMAKE_BINARY_DIR}/generated/Skylathe.rc @ONLY)
    target_sources(Skylathe PRIVATE ${CMAKE_BINARY_DIR}/generated/Skylathe.rc)
endif()
