# SPDX-License-Identifier: GPL-3.0-or-later
# Manual pages made by help2man from a program's own --help and --version, so
# page and program cannot disagree; what --help does not say (the window, the
# files, the exit status) comes from an include file beside the program.
find_program(HELP2MAN help2man REQUIRED)

function(quorbel_man_page target summary include)
    set(page ${CMAKE_CURRENT_BINARY_DIR}/${target}.1)
    # help2man writes in its locale's character set: in the C locale every
    # Chinese word of the examples would become question marks.
    add_custom_command(
        OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 LANGUAGE=
                ${HELP2MAN} --no-info --locale=C.UTF-8 "--name=${summary}"
                --include=${include} $<TARGET_FILE:${target}> -o ${page}
        COMMAND gzip -n -9 -f ${page}
        DEPENDS ${target} ${include}
        COMMENT "Manual page of ${target} from its --help"
        VERBATIM)
    add_custom_target(${target}-man ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
