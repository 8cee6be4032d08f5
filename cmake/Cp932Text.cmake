# Script mode: converts the UTF-8 text file SOURCE into OUTPUT in code page 932 with CR LF line ends,
# with ICONV the iconv program. Fails on any character that does not survive the way back unchanged,
# so that no text is silently mapped to a look-alike.
file(READ "${SOURCE}" text)
string(REPLACE "\r" "" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
set(crlf "${OUTPUT}.utf8")
set(back "${OUTPUT}.back")
file(WRITE "${crlf}" "${text}")

execute_process(COMMAND "${ICONV}" -f UTF-8 -t CP932 INPUT_FILE "${crlf}" OUTPUT_FILE "${OUTPUT}"
                RESULT_VARIABLE to_cp932)
# Compared as files: execute_process would turn CR LF in a captured output into LF.
execute_process(COMMAND "${ICONV}" -f CP932 -t UTF-8 INPUT_FILE "${OUTPUT}" OUTPUT_FILE "${back}"
                RESULT_VARIABLE to_utf8)
file(SHA256 "${crlf}" wanted)
file(SHA256 "${back}" got)
file(REMOVE "${crlf}" "${back}")
if(NOT to_cp932 EQUAL 0 OR NOT to_utf8 EQUAL 0 OR NOT got STREQUAL wanted)
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "${SOURCE} does not convert exactly to code page 932")
endif()
