# Copies a page of the user guide, putting korvanta-render's own --help output, escaped for
# HTML, where the page says @KORVANTA_RENDER_HELP@, so the guide never shows a stale copy.
#   cmake -D PAGE=in.html -D OUT=out.html -D TOOL=path/to/korvanta-render -P fill-help-text.cmake
file(READ "${PAGE}" text)
string(FIND "${text}" "@KORVANTA_RENDER_HELP@" at)
if(at GREATER -1)
  execute_process(COMMAND "${TOOL}" --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${TOOL} --help failed (${status})")
  endif()
  string(REPLACE "&" "&amp;" help "${help}")
  string(REPLACE "<" "&lt;" help "${help}")
  string(REPLACE ">" "&gt;" help "${help}")
  string(REPLACE "@KORVANTA_RENDER_HELP@" "${help}" text "${text}")
endif()
file(WRITE "${OUT}" "${text}")
