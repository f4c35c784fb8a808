# SPDX-License-Identifier: GPL-3.0-or-later
# The AppStream data links only the addresses a packager set (cmake/config.cmake);
# none are invented. Used by data/CMakeLists.txt, and by the tests in script mode:
#   cmake -DIN=... -DOUT=... [-DHOMEPAGE=...] [-DFAQ=...] [-DSCREENSHOTS=...] -P metainfo.cmake
# The screenshots are named as in docs/: the English window under en/, the
# Chinese one at the top, so publishing docs/ as it stands is enough.
function(quorbel_metainfo in out homepage faq screenshots)
    # Plain addresses (config.cmake refuses quotes and angle brackets), so only
    # "&" needs escaping for XML.
    set(QUORBEL_METAINFO_URLS "")
    foreach(type homepage faq)
        if(NOT "${${type}}" STREQUAL "")
            string(REPLACE "&" "&amp;" url "${${type}}")
            string(APPEND QUORBEL_METAINFO_URLS "  <url type=\"${type}\">${url}</url>\n")
        endif()
    endforeach()
    set(QUORBEL_METAINFO_SCREENSHOTS "")
    if(NOT screenshots STREQUAL "")
        string(REPLACE "&" "&amp;" url "${screenshots}")
        string(REGEX REPLACE "/+$" "" url "${url}")
        string(CONCAT QUORBEL_METAINFO_SCREENSHOTS
            "  <screenshots>\n"
            "    <screenshot type=\"default\">\n"
            "      <caption>The main window with a renamed list</caption>\n"
            "      <caption xml:lang=\"zh-CN\">换名之后的主窗口</caption>\n"
            "      <image>${url}/en/main-window.png</image>\n"
            "    </screenshot>\n"
            "    <screenshot>\n"
            "      <caption>The main window in Chinese</caption>\n"
            "      <caption xml:lang=\"zh-CN\">中文界面的主窗口</caption>\n"
            "      <image>${url}/main-window.png</image>\n"
            "    </screenshot>\n"
            "  </screenshots>\n")
    endif()
    configure_file(${in} ${out} @ONLY)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
    quorbel_metainfo("${IN}" "${OUT}" "${HOMEPAGE}" "${FAQ}" "${SCREENSHOTS}")
endif()
