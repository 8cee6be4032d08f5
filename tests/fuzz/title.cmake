# Title fuzzer: the reader and the scan are built into it with coverage feedback; new units go to the
# scratch corpus in the build tree, the seeds stay read-only.
add_executable(title_fuzz ${CMAKE_CURRENT_LIST_DIR}/title_fuzz.cpp ${PROJECT_SOURCE_DIR}/src/text/text_reader.cpp
                          ${PROJECT_SOURCE_DIR}/src/index/title_scan.cpp)
target_link_libraries(title_fuzz PRIVATE skimdex_text_pure skimdex_sjisconv_fuzzing)
target_compile_options(title_fuzz PRIVATE -fsanitize=fuzzer)
target_link_options(title_fuzz PRIVATE -fsanitize=fuzzer)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/title_corpus)
add_test(NAME title_fuzz
         COMMAND title_fuzz -max_total_time=20 -rss_limit_mb=1024 ${CMAKE_CURRENT_BINARY_DIR}/title_corpus
                 ${CMAKE_CURRENT_LIST_DIR}/corpus/title)
set_tests_properties(title_fuzz PROPERTIES TIMEOUT 120)
