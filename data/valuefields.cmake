target_sources(skylathe_data PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ValueFields.h ${CMAKE_CURRENT_LIST_DIR}/ValueFields.cpp)
