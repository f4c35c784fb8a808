# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(quorbel_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/pathsplit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/localeformat.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picturefiles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/casefold.cpp
    ${CMAKE_CURRENT_LIST_DIR}/filemask.cpp
    ${CMAKE_CURRENT_LIST_DIR}/findfiles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/collation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/coretext.cpp
    ${CMAKE_CURRENT_LIST_DIR}/utf8encode.cpp
)
