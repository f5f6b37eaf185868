# velnor_layer(name LINKS lower...): the static library velnor_<name> from <name>/*.cpp (picked
# up by name, so a new file needs no edit here), linked to the layers below it.
#
# Sources include headers by their path from the project's root ("rules/board.h"). Rather than
# the root, each layer's include path is a folder of the build tree that holds one link, to the
# layer's own source folder; linking a lower layer adds that layer's folder. So a header of a
# higher layer is simply not found. Where links cannot be made (some Windows set-ups), the
# root is used and the layers are not enforced there.
function(velnor_layer name)
  cmake_parse_arguments(LAYER "" "" "LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${name}/*.cpp)
  add_library(velnor_${name} STATIC ${sources})
  set(view ${CMAKE_BINARY_DIR}/layers/${name})
  file(MAKE_DIRECTORY ${view})
  if(NOT EXISTS ${view}/${name})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${name} ${view}/${name} RESULT linked SYMBOLIC)
  else()
    set(linked 0)
  endif()
  if(linked STREQUAL "0")
    target_include_directories(velnor_${name} PUBLIC ${view})
  else()
    message(WARNING "layers: cannot link ${view}/${name} (${linked}); not enforced")
    target_include_directories(velnor_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  endif()
  target_link_libraries(velnor_${name} PUBLIC ${LAYER_LINKS})
endfunction()
