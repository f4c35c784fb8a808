# SPDX-License-Identifier: GPL-3.0-or-later
# The writers are window-free: the window and the command line share them.
target_sources(quorbel_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/compoundfile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exportblock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exportlist.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exporttext.cpp
    ${CMAKE_CURRENT_LIST_DIR}/xlsxexport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/xlswriter.cpp
)
target_link_libraries(quorbel_core PUBLIC PkgConfig::XLSXWRITER)
