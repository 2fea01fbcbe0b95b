# BMP and ICO decoding for the platform implementations; plain C++, no toolkit.
add_library(platform_decode STATIC ${CMAKE_CURRENT_LIST_DIR}/image_decode.cpp)
target_link_libraries(platform_decode PUBLIC project_headers)
