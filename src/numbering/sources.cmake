# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(quorbel_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/integerreading.cpp
    ${CMAKE_CURRENT_LIST_DIR}/namegenerator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/namereplacer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/datepattern.cpp
    ${CMAKE_CURRENT_LIST_DIR}/datenamer.cpp
)
# PCRE2 stays inside find and replace.
target_link_libraries(quorbel_core PUBLIC PkgConfig::PCRE2)
target_sources(quorbel_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/spinfield.cpp
    ${CMAKE_CURRENT_LIST_DIR}/serialnub.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ruledialogparts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/namepreview.cpp
    ${CMAKE_CURRENT_LIST_DIR}/replacedialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/datenamedialog.cpp
)
