target_sources(quorbel_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/openfilecommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/opendircommand.cpp
)
