# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(quorbel_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/about.cpp
    ${CMAKE_CURRENT_LIST_DIR}/actiontable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/appicons.cpp
    ${CMAKE_CURRENT_LIST_DIR}/listdroptarget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/programicon.qrc
    ${CMAKE_CURRENT_LIST_DIR}/programoptions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qttranslations.cpp
    ${CMAKE_CURRENT_LIST_DIR}/systemlocale.cpp
    ${CMAKE_CURRENT_LIST_DIR}/userlanguage.cpp
    # The commands bind the window to the core's steps, so they live with the window.
    ${CMAKE_CURRENT_LIST_DIR}/exportcommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/opendircommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/openfilecommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mappingcommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/numberingcommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/namerulecommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/renamecommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/saferuncommands.cpp
)
