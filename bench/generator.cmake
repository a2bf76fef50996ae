# Included from bench/CMakeLists.txt: the generator core's throughput.
add_executable(bench_generator ${CMAKE_CURRENT_LIST_DIR}/bench_generator.cpp)
target_link_libraries(bench_generator PRIVATE numvale_core numvale_build_options)
