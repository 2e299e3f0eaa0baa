# cmake -DOUTPUT=header -DCSS=file -DJS=file -P EmbedAssets.cmake
# Writes the two files' bytes (UTF-8, as they are) into a header of arrays.
function(zol_embed_bytes file name out)
  file(READ ${file} hex HEX)
  string(LENGTH "${hex}" length)
  if(length EQUAL 0)
    message(FATAL_ERROR "${file} is empty")
  endif()
  # Sixteen bytes a line keeps the header readable in a debugger.
  string(REGEX REPLACE "(..)" "0x\\1," bytes "${hex}")
  string(REPEAT "0x..," 16 line)
  string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
  set(${out} "inline constexpr unsigned char ${name}[] = {\n    ${bytes}\n};\n" PARENT_SCOPE)
endfunction()

zol_embed_bytes(${CSS} css css_array)
zol_embed_bytes(${JS} js js_array)

set(text "// Generated from reports/report/ by EmbedAssets.cmake; edit those files.\n")
string(APPEND text "#pragma once\n\nnamespace zol::ReportAssets {\n\n")
string(APPEND text "${css_array}\n${js_array}\n} // namespace zol::ReportAssets\n")
file(WRITE ${OUTPUT} "${text}")
