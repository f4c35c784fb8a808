target_sources(quorbel_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/exportcommand.cpp
)
