skylathe_add_test(test_xml SOURCES test_xml.cpp LIBS skylathe_data)
skylathe_add_test(test_shiptable SOURCES test_shiptable.cpp LIBS skylathe_data)
