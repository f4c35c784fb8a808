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
find_program(HELP2MAN help2man REQUIRED)
set(quorbel_cli_man ${CMAKE_CURRENT_BINARY_DIR}/quorbel-cli.1.gz)
add_custom_command(
    OUTPUT ${quorbel_cli_man}
    # The manual page is in English whatever the builder's locale is.
    COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${HELP2MAN} --no-info --version-string=${PROJECT_VERSION}
            "--name=rename many files from a list, a mapping table or a counter"
            $<TARGET_FILE:quorbel-cli> -o ${CMAKE_CURRENT_BINARY_DIR}/quorbel-cli.1
    COMMAND gzip -n -9 -f ${CMAKE_CURRENT_BINARY_DIR}/quorbel-cli.1
    DEPENDS quorbel-cli
    COMMENT "Manual page of quorbel-cli from its --help"
    VERBATIM)
add_custom_target(quorbel-cli-man ALL DEPENDS ${quorbel_cli_man})
install(FILES ${quorbel_cli_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
