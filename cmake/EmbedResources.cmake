# velnor_embed_resources(target NAME file NAME file ...)
# Makes a static library that holds each file's bytes under its resource name, found at run
# time with findEmbeddedResource(name, &size) (shell/resources.h). A file that does not
# exist yet is embedded as empty, so a build never depends on the asset generator.

set(VELNOR_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cmake)

function(velnor_embed_resources target)
  set(args ${ARGN})
  set(sources "")
  set(table "")
  set(declarations "")
  set(index 0)
  list(LENGTH args count)
  while(index LESS count)
    list(GET args ${index} name)
    math(EXPR next "${index} + 1")
    list(GET args ${next} file)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded/${name}.cpp)
    set(depends ${VELNOR_EMBED_SCRIPT})
    if(EXISTS ${file})
      list(APPEND depends ${file})
    endif()
    add_custom_command(
      OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DNAME=${name} -DINPUT=${file} -DOUTPUT=${out}
              -P ${VELNOR_EMBED_SCRIPT}
      DEPENDS ${depends}
      COMMENT "Embedding ${name}"
      VERBATIM)
    list(APPEND sources ${out})
    string(APPEND declarations "extern const unsigned char embedded_${name}[];\n")
    string(APPEND declarations "extern const unsigned long embedded_${name}_size;\n")
    string(APPEND table "  {\"${name}\", embedded_${name}, &embedded_${name}_size},\n")
    math(EXPR index "${index} + 2")
  endwhile()

  set(index_file ${CMAKE_CURRENT_BINARY_DIR}/embedded/${target}_index.cpp)
  file(CONFIGURE OUTPUT ${index_file} CONTENT
"// Generated: the table of embedded resources.
#include <cstring>

#include \"shell/resources.h\"

${declarations}
namespace {
struct Entry { const char* name; const unsigned char* bytes; const unsigned long* size; };
const Entry entries[] = {
${table}};
}  // namespace

const unsigned char* findEmbeddedResource(const char* name, size_t* size) {
  for (const Entry& e : entries) {
    if (std::strcmp(e.name, name) == 0) {
      if (size) *size = *e.size;
      return *e.size ? e.bytes : nullptr;
    }
  }
  if (size) *size = 0;
  return nullptr;
}
")
  add_library(${target} STATIC ${sources} ${index_file})
  target_link_libraries(${target} PUBLIC velnor_shell)  # for shell/resources.h
endfunction()
