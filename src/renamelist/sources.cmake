target_sources(quorbel_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/renamelist.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cellcompare.cpp
    ${CMAKE_CURRENT_LIST_DIR}/renamerun.cpp
)
target_sources(quorbel_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/renamelistmodel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rowindicator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sortheader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/renamegrid.cpp
)
