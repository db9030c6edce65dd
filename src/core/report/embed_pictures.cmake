# Writes the three resource pictures as C++ byte arrays, so the core can put
# them inline in the HTML report without reading files or linking Qt.
# Called with -DOUT=<header> -DDIR=<folder of the pictures>.
set(text "// Generated from src/core/report/pictures by embed_pictures.cmake.\n#pragma once\n\n")
foreach(name military covert cyberops)
  file(READ ${DIR}/${name}.png bytes HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
  string(APPEND text "inline constexpr unsigned char k_${name}_png[] = {${bytes}};\n")
endforeach()
file(WRITE ${OUT}.tmp "${text}")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
