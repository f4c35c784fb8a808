# SPDX-License-Identifier: GPL-3.0-or-later
# The command-line program: the core and an argument parser, never Qt.
find_package(CLI11 CONFIG REQUIRED)
add_executable(quorbel-cli
    ${CMAKE_CURRENT_LIST_DIR}/main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clirun.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clioptions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cliplate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/parseerrortext.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clilocale.cpp
    ${CMAKE_CURRENT_LIST_DIR}/progressbar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recordreader.cpp
)
set_target_properties(quorbel-cli PROPERTIES AUTOMOC OFF AUTORCC OFF AUTOUIC OFF)
target_link_libraries(quorbel-cli PRIVATE quorbel_core CLI11::CLI11)
quorbel_warnings(quorbel-cli)
install(TARGETS quorbel-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The manual page is made from the program's own --help, so the two cannot
# disagree: both come from the one set of option definitions.
quorbel_man_page(quorbel-cli "rename many files from a list, a mapping table or a counter"
                 ${CMAKE_CURRENT_LIST_DIR}/quorbel-cli.h2m)
