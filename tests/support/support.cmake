# Shared fixture of the window tests: a full program start in temporary folders.
add_library(skylathe_testsupport STATIC
    ${CMAKE_CURRENT_LIST_DIR}/AppFixture.h
    ${CMAKE_CURRENT_LIST_DIR}/AppFixture.cpp)
target_link_libraries(skylathe_testsupport PUBLIC skylathe_gui Qt6::Test)
target_compile_definitions(skylathe_testsupport PRIVATE SKYLATHE_BINARY_DIR="${CMAKE_BINARY_DIR}")
if(TARGET skylathe_package_tree)
    add_dependencies(skylathe_testsupport skylathe_package_tree)
endif()
