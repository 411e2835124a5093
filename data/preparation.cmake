target_sources(skylathe_data PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DataPreparation.h ${CMAKE_CURRENT_LIST_DIR}/DataPreparation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ModTexts.h ${CMAKE_CURRENT_LIST_DIR}/ModTexts.cpp
)
