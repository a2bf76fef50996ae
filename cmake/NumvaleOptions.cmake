# Everything we compile links this target: one place for the language level,
# the warnings we treat as errors and the Qt strictness switches.
add_library(numvale_build_options INTERFACE)
target_compile_features(numvale_build_options INTERFACE cxx_std_20)
target_compile_definitions(numvale_build_options INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CONTEXTLESS_CONNECT)
if(MSVC)
    target_compile_options(numvale_build_options INTERFACE /W4 /WX /utf-8)
else()
    target_compile_options(numvale_build_options INTERFACE -Wall -Wextra -Wpedantic -Werror)
endif()
if(NUMVALE_SANITIZE)
    target_compile_options(numvale_build_options INTERFACE
        -fsanitize=${NUMVALE_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(numvale_build_options INTERFACE -fsanitize=${NUMVALE_SANITIZE})
endif()

# A QtTest executable registered with CTest, run headless.
function(numvale_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE numvale_build_options Qt6::Test ${ARG_LIBRARIES})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.qpa.*=false")
endfunction()
