# Converter fuzzer. New units go to the scratch corpus in the build tree; the seeds stay read-only.
add_executable(sjisconv_fuzz ${CMAKE_CURRENT_LIST_DIR}/sjisconv_fuzz.cpp)
target_link_libraries(sjisconv_fuzz PRIVATE skimdex_sjisconv_fuzzing)
target_compile_options(sjisconv_fuzz PRIVATE -fsanitize=fuzzer)
target_link_options(sjisconv_fuzz PRIVATE -fsanitize=fuzzer)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/sjisconv_corpus)
add_test(NAME sjisconv_fuzz
         COMMAND sjisconv_fuzz -max_total_time=20 -rss_limit_mb=1024 ${CMAKE_CURRENT_BINARY_DIR}/sjisconv_corpus
                 ${CMAKE_CURRENT_LIST_DIR}/corpus/sjisconv)
set_tests_properties(sjisconv_fuzz PROPERTIES TIMEOUT 120)
