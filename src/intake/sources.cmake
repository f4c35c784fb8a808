target_sources(quorbel_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/openfilecommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/opendircommand.cpp
)
target_sources(quorbel_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/patternlist.cpp
)
