# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(quorbel_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/posixfilesystem.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pathsession.cpp
    ${CMAKE_CURRENT_LIST_DIR}/directoryhandles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/handlefilesystem.cpp
)
target_sources(quorbel_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/messageboxes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/filedialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nameonlyiconprovider.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogrunner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/desktopshellopener.cpp
    ${CMAKE_CURRENT_LIST_DIR}/errordisplay.cpp
    ${CMAKE_CURRENT_LIST_DIR}/desktopcentre.cpp
    ${CMAKE_CURRENT_LIST_DIR}/captionedframes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogfont.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settingsfile.cpp
)
