target_sources(quorbel_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/linkexcel.cpp
)
# The spreadsheet libraries stay inside the core's reader adapters.
target_sources(quorbel_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/applymapping.cpp
    ${CMAKE_CURRENT_LIST_DIR}/celltext.cpp
    ${CMAKE_CURRENT_LIST_DIR}/csvtext.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dateformat.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mappinglookup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mappingtable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/orcuscollector.cpp
    ${CMAKE_CURRENT_LIST_DIR}/orcusreader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/orcussheet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sheetbuilder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/workbookopen.cpp
    ${CMAKE_CURRENT_LIST_DIR}/xlsguard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/xlsreader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/xmlpackage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zipguard.cpp
)
# Debian's liborcus-spreadsheet-model .pc names an include folder that is not
# installed, and CMake refuses imported targets with missing include paths.
get_target_property(orcus_includes PkgConfig::ORCUS INTERFACE_INCLUDE_DIRECTORIES)
set(orcus_existing_includes)
foreach(dir IN LISTS orcus_includes)
    if(EXISTS "${dir}")
        list(APPEND orcus_existing_includes "${dir}")
    endif()
endforeach()
set_target_properties(PkgConfig::ORCUS PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${orcus_existing_includes}")
find_package(ZLIB REQUIRED)
target_link_libraries(quorbel_core PUBLIC PkgConfig::FREEXL PkgConfig::ORCUS ZLIB::ZLIB)
