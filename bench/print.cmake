# Included from bench/CMakeLists.txt: how long a full worksheet takes to reach
# the print preview and to print. Shares the test's sample sheets.
add_executable(bench_print ${CMAKE_CURRENT_LIST_DIR}/bench_print.cpp)
target_include_directories(bench_print PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../tests/print)
target_link_libraries(bench_print PRIVATE numvale_sheet_printing numvale_build_options)
