target_sources(quorbel_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/about.cpp
    ${CMAKE_CURRENT_LIST_DIR}/actiontable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/appicons.cpp
    ${CMAKE_CURRENT_LIST_DIR}/errordisplay.cpp
    ${CMAKE_CURRENT_LIST_DIR}/systemlocale.cpp
)
