# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(quorbel_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/linkexcel.cpp
)
# The spreadsheet libraries stay inside the core's reader adapters.
target_sources(quorbel_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/a1reference.cpp
    ${CMAKE_CURRENT_LIST_DIR}/applymapping.cpp
    ${CMAKE_CURRENT_LIST_DIR}/applyplate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/celltext.cpp
    ${CMAKE_CURRENT_LIST_DIR}/csvtext.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dateformat.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mappingchoice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mappinglookup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mappingtable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ooxmlescape.cpp
    ${CMAKE_CURRENT_LIST_DIR}/orcuscollector.cpp
    ${CMAKE_CURRENT_LIST_DIR}/orcusreader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/orcussheet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/plateblock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platefinder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platewell.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sheetbuilder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/workbookopen.cpp
    ${CMAKE_CURRENT_LIST_DIR}/xlsguard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/xlsreader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/xmlpackage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zipguard.cpp
)
find_package(ZLIB REQUIRED)
target_link_libraries(quorbel_core PUBLIC PkgConfig::FREEXL PkgConfig::ORCUS ZLIB::ZLIB)
