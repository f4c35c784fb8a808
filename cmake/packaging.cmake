# SPDX-License-Identifier: GPL-3.0-or-later
# `cpack -G DEB` in the build folder makes an installable Debian package: the
# quick path. debian/ builds the package a distribution would take.
set(CPACK_PACKAGE_NAME quorbel)
set(CPACK_PACKAGE_VENDOR "The Quorbel developers")
if(QUORBEL_MAIL_ADDRESS STREQUAL "")
    set(CPACK_PACKAGE_CONTACT "The Quorbel developers <quorbel@example.org>")
else()
    set(CPACK_PACKAGE_CONTACT "The Quorbel developers <${QUORBEL_MAIL_ADDRESS}>")
endif()
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Rename many files in one run")
# Lines of at most 80 characters, as Debian's package descriptions ask.
set(CPACK_PACKAGE_DESCRIPTION
    "Gather files into a list, give each a new name (typed, numbered\n\
automatically or looked up in a spreadsheet mapping table) and rename them\n\
all at once. A rename never replaces an existing file. Includes the\n\
command-line program quorbel-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
if(NOT QUORBEL_HOMEPAGE_URL STREQUAL "")
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUORBEL_HOMEPAGE_URL}")
endif()
# The libraries come from what the executables really link; Qt's platform and
# picture-format plugins and the CJK font are loaded at run time, so no link
# line names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-image-formats-plugins, fonts-wqy-zenhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
