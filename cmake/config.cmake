# SPDX-License-Identifier: GPL-3.0-or-later
# What a packager sets for this build: the program's web and mail addresses.
# Empty (the default) means the program has none: the About box shows plain
# text in place of a link, the rename run requests no page, and neither the
# AppStream data nor the package names a home page.
set(QUORBEL_HOMEPAGE_URL "" CACHE STRING
    "Home page (http:// or https://): the About box's first link, requested at each rename run, the package's Homepage")
set(QUORBEL_FAQ_URL "" CACHE STRING
    "Second web page of the About box (questions and answers)")
set(QUORBEL_MAIL_ADDRESS "" CACHE STRING
    "Mail address of the About box, such as name@example.net")
set(QUORBEL_SCREENSHOTS_URL "" CACHE STRING
    "Folder address holding docs/ screenshots (main-window.png, en/main-window.png) for the AppStream data")

# The addresses end up in C++ string literals and XML, so anything that is not
# a plain address is refused here rather than quoted there.
function(quorbel_check_address variable pattern what)
    set(value "${${variable}}")
    if(NOT value STREQUAL "" AND NOT value MATCHES "${pattern}")
        message(FATAL_ERROR "${variable} must be ${what}, not \"${value}\"")
    endif()
endfunction()
set(quorbel_url_pattern "^https?://[A-Za-z0-9._~:/?#@!$'()*+,;=%-]+$")
quorbel_check_address(QUORBEL_HOMEPAGE_URL "${quorbel_url_pattern}" "an http:// or https:// address")
quorbel_check_address(QUORBEL_FAQ_URL "${quorbel_url_pattern}" "an http:// or https:// address")
quorbel_check_address(QUORBEL_SCREENSHOTS_URL "${quorbel_url_pattern}" "an http:// or https:// address")
quorbel_check_address(QUORBEL_MAIL_ADDRESS "^[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+$" "a mail address")

# Generated headers: the version every front end prints and the addresses.
set(QUORBEL_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/src/config/version.h.in
               ${QUORBEL_GENERATED_DIR}/config/version.h @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/src/config/addresses.h.in
               ${QUORBEL_GENERATED_DIR}/config/addresses.h @ONLY)
