skylathe_add_test(test_desktop_files SOURCES test_desktop_files.cpp LIBS Qt6::Gui)
add_dependencies(test_desktop_files Skylathe skylathe-cli skylathe_desktop_files)
