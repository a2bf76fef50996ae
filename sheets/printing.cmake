# Sheets on paper. The page layout draws a sheet on any paged device and links
# no widgets; the printing side adds the print dialog, the preview window and
# the reports of printer trouble.
add_library(numvale_paper_layout STATIC
    ${CMAKE_CURRENT_LIST_DIR}/paper_layout.cpp ${CMAKE_CURRENT_LIST_DIR}/paper_layout.h)
target_include_directories(numvale_paper_layout PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(numvale_paper_layout PUBLIC numvale_sheet_model Qt6::Gui
    PRIVATE numvale_build_options)

add_library(numvale_sheet_printing STATIC
    ${CMAKE_CURRENT_LIST_DIR}/sheet_printing.cpp ${CMAKE_CURRENT_LIST_DIR}/sheet_printing.h)
target_include_directories(numvale_sheet_printing PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(numvale_sheet_printing PUBLIC numvale_paper_layout Qt6::Widgets
    Qt6::PrintSupport PRIVATE numvale_build_options)
