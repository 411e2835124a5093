skylathe_add_test(test_datapreparation SOURCES test_datapreparation.cpp LIBS skylathe_data)
skylathe_add_test(test_datapreparation_shipped SOURCES test_datapreparation_shipped.cpp LIBS skylathe_data)
skylathe_add_test(test_datapreparation_commands
    SOURCES test_datapreparation_commands.cpp ../../tools/cmd_makedata.cpp ../../tools/cmd_format.cpp
    LIBS skylathe_data)
