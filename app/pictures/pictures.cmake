# The picture decoders (libpng and libjpeg, called directly) and the picture box control.
add_library(numvale_pictures STATIC
    ${CMAKE_CURRENT_LIST_DIR}/png_decoder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/jpeg_decoder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picture_box.cpp)
set_target_properties(numvale_pictures PROPERTIES AUTOMOC ON)
target_include_directories(numvale_pictures PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(numvale_pictures
    PUBLIC Qt6::Widgets
    PRIVATE PNG::PNG JPEG::JPEG numvale_build_options)
