target_sources(quorbel_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/integerreading.cpp
    ${CMAKE_CURRENT_LIST_DIR}/namegenerator.cpp
)
target_sources(quorbel_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/spinfield.cpp
    ${CMAKE_CURRENT_LIST_DIR}/serialnub.cpp
)
