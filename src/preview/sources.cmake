target_sources(quorbel_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/imagebox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picturepreview.cpp
)
