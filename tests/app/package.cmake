skylathe_add_test(test_datapackage SOURCES test_datapackage.cpp
    LIBS skylathe_appcore skylathe_package skylathe_data Qt6::Widgets)
add_dependencies(test_datapackage skylathe_package_tree skylathe-cli)
