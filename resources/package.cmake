# The embedded data package. skylathe-pack (tools/pack.cmake) builds the tree ${CMAKE_BINARY_DIR}/package/XMLD/
# and its archive XMLD.zip from the sources below resources/package/ and the artwork in resources/images/;
# the archive is then compiled into skylathe_package as the Qt resource ":/package/XMLD.zip".
set(SKYLATHE_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
set(SKYLATHE_PACKAGE_ZIP ${SKYLATHE_PACKAGE_DIR}/XMLD.zip)

file(GLOB_RECURSE skylathe_package_sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_LIST_DIR}/package/*
    ${CMAKE_CURRENT_LIST_DIR}/images/*)
list(FILTER skylathe_package_sources EXCLUDE REGEX "\\.cpp$")

# skylathe-pack is defined later (tools/); CMake resolves the target when it generates the build.
add_custom_command(
    OUTPUT ${SKYLATHE_PACKAGE_ZIP}
    BYPRODUCTS ${SKYLATHE_PACKAGE_DIR}/XMLD
    COMMAND skylathe-pack ${CMAKE_CURRENT_LIST_DIR} ${SKYLATHE_PACKAGE_DIR}
    DEPENDS skylathe-pack ${skylathe_package_sources}
    COMMENT "Datenpaket XMLD.zip wird gebaut"
    VERBATIM)

# Tests that copy the unzipped tree as their fixture depend on this target.
add_custom_target(skylathe_package_tree DEPENDS ${SKYLATHE_PACKAGE_ZIP})

add_library(skylathe_package STATIC ${CMAKE_CURRENT_LIST_DIR}/package/PackageResource.cpp)
# The archive is already deflated; compressing it again gains nothing.
qt_add_resources(skylathe_package "datapackage"
    PREFIX "/package"
    BASE ${SKYLATHE_PACKAGE_DIR}
    FILES ${SKYLATHE_PACKAGE_ZIP}
    OPTIONS -no-compress)
target_link_libraries(skylathe_package PUBLIC Qt6::Core)
add_dependencies(skylathe_package skylathe_package_tree)
