# `cpack -G DEB` in the build folder makes an installable Debian package.
set(CPACK_PACKAGE_NAME quorbel)
set(CPACK_PACKAGE_VENDOR "The Quorbel developers")
set(CPACK_PACKAGE_CONTACT "quorbel@example.org")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Rename many files in one run")
set(CPACK_PACKAGE_DESCRIPTION
    "Gather files into a list, give each a new name (typed, numbered automatically or\n\
looked up in a spreadsheet mapping table) and rename them all at once. A rename never\n\
replaces an existing file. Includes the command-line program quorbel-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quorbel.example.org/")
# The libraries come from what the executables really link; Qt's platform and
# picture-format plugins and the CJK font are loaded at run time, so no link
# line names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-image-formats-plugins, fonts-wqy-zenhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
