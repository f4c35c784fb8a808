# The AppStream data links only the addresses a packager set (cmake/config.cmake);
# none are invented. Used by data/CMakeLists.txt, and by the tests in script mode:
#   cmake -DIN=... -DOUT=... [-DHOMEPAGE=...] [-DFAQ=...] [-DSCREENSHOT=...] -P metainfo.cmake
function(quorbel_metainfo in out homepage faq screenshot)
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
    if(NOT screenshot STREQUAL "")
        string(REPLACE "&" "&amp;" url "${screenshot}")
        string(CONCAT QUORBEL_METAINFO_SCREENSHOTS
            "  <screenshots>\n"
            "    <screenshot type=\"default\">\n"
            "      <caption>The main window with a renamed list</caption>\n"
            "      <image>${url}</image>\n"
            "    </screenshot>\n"
            "  </screenshots>\n")
    endif()
    configure_file(${in} ${out} @ONLY)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
    quorbel_metainfo("${IN}" "${OUT}" "${HOMEPAGE}" "${FAQ}" "${SCREENSHOT}")
endif()
