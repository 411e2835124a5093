# The dialogs, the hover help and the value box.
target_sources(skylathe_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ErrorDisplay.h ${CMAKE_CURRENT_LIST_DIR}/ErrorDisplay.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ValueBox.h ${CMAKE_CURRENT_LIST_DIR}/ValueBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HelpText.h ${CMAKE_CURRENT_LIST_DIR}/HelpText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HelpBrowser.h ${CMAKE_CURRENT_LIST_DIR}/HelpBrowser.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XMLMessage.h ${CMAKE_CURRENT_LIST_DIR}/XMLMessage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XMLMessage.ui
    ${CMAKE_CURRENT_LIST_DIR}/InfoUnit.h ${CMAKE_CURRENT_LIST_DIR}/InfoUnit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InfoUnit.ui
)
