# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(quorbel_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/patternlist.cpp
    ${CMAKE_CURRENT_LIST_DIR}/directoryscan.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recordstream.cpp
)
target_sources(quorbel_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/loadpicture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/filelistbox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/directorylistbox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/filtercombobox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/opendir.cpp
    ${CMAKE_CURRENT_LIST_DIR}/droppedfiles.cpp
)
