# cmake -DNAME=name -DINPUT=file -DOUTPUT=file.cpp -P EmbedFile.cmake
if(EXISTS ${INPUT})
  file(READ ${INPUT} hex HEX)
else()
  set(hex "")
endif()
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
       "\\1\n" bytes "${bytes}")
if(size EQUAL 0)
  set(bytes "0")
endif()
file(WRITE ${OUTPUT}
"// Generated from ${INPUT}.
extern const unsigned char embedded_${NAME}[];
extern const unsigned long embedded_${NAME}_size;
alignas(4) const unsigned char embedded_${NAME}[] = {
${bytes}
};
const unsigned long embedded_${NAME}_size = ${size};
")
