# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(quorbel_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/renamelist.cpp
    ${CMAKE_CURRENT_LIST_DIR}/textpool.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cellcompare.cpp
    ${CMAKE_CURRENT_LIST_DIR}/renamerun.cpp
    ${CMAKE_CURRENT_LIST_DIR}/helperthread.cpp
    ${CMAKE_CURRENT_LIST_DIR}/inodetable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/renamejournal.cpp
    ${CMAKE_CURRENT_LIST_DIR}/journalstore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/runcheck.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nameindex.cpp
    ${CMAKE_CURRENT_LIST_DIR}/runundo.cpp
)
target_sources(quorbel_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/renamelistmodel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rowindicator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sortheader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/renamegrid.cpp
)
