# Run by `cmake --install` after every other file of the page is in place: writes the service
# worker from VELNOR_SW_TEMPLATE with the list of those files, VELNOR_WEB_FILES (the names the
# build installs, not what the folder holds: a file left there by an earlier install may be
# missing on the host, and the worker would never take over), and a hash of their contents, so
# that every build that changes any of them is cached anew.
# A relative prefix (cmake --install --prefix build/web) is taken from where cmake runs.
get_filename_component(dir "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(names ${VELNOR_WEB_FILES})
list(SORT names)
set(digests "")
set(files "")
foreach(name IN LISTS names)
  if(NOT EXISTS "${dir}/${name}" OR IS_DIRECTORY "${dir}/${name}")
    message(FATAL_ERROR "the web page's file ${name} is not in ${dir}")
  endif()
  file(SHA256 "${dir}/${name}" digest)
  string(APPEND digests "${name} ${digest}\n")
  string(APPEND files "\n  '${name}',")
endforeach()
string(SHA256 build "${digests}")
string(SUBSTRING "${build}" 0 16 build)

file(READ "${VELNOR_SW_TEMPLATE}" worker)
string(REPLACE "@VELNOR_BUILD_HASH@" "${build}" worker "${worker}")
string(REPLACE "@VELNOR_BUILD_FILES@" "${files}\n" worker "${worker}")
message(STATUS "Installing: ${dir}/sw.js (build ${build})")
file(WRITE "${dir}/sw.js" "${worker}")
