# SPDX-License-Identifier: GPL-3.0-or-later
# libexif stays inside the core's EXIF adapter.
target_sources(quorbel_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/exifblock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exifdate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exifinfo.cpp
)
target_link_libraries(quorbel_core PUBLIC PkgConfig::EXIF)
target_sources(quorbel_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/imagebox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picturepreview.cpp
)
