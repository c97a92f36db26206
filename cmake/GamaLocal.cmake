# GNU Gama's gama-local, the adjustment's independent oracle in the tests: built from its public
# source beside the project (../shared/gama/gama-*-src.tar.gz) into the build folder, once, and only
# when the target gama_local is asked for (make test-gama). Never linked, installed or shipped.
#
# Sets GAMA_LOCAL_EXECUTABLE (where gama-local is or will be; empty without a source) and
# GAMA_LOCAL_SCHEMA (the source's xml/gama-local.xsd), and defines the target gama_local.
set(TRAVERSE_GAMA_SOURCE "" CACHE FILEPATH "GNU Gama's source tarball (default: ../shared/gama/)")
set(TRAVERSE_GAMA_LOCAL "" CACHE FILEPATH
    "an existing gama-local built from that source, used as it is")

# The shared folder stands beside the repository; a worktree's may stand beside the main checkout.
function(traverse_find_gama_source result)
  set(folders "${PROJECT_SOURCE_DIR}/../shared/gama")
  execute_process(COMMAND git rev-parse --path-format=absolute --git-common-dir
                  WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}" OUTPUT_VARIABLE common_dir
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(common_dir)
    get_filename_component(checkout "${common_dir}" DIRECTORY)
    list(APPEND folders "${checkout}/../shared/gama")
  endif()
  foreach(folder ${folders})
    file(GLOB tarballs "${folder}/gama-*-src.tar.gz")
    if(tarballs)
      list(SORT tarballs COMPARE NATURAL)
      list(GET tarballs -1 newest)
      get_filename_component(newest "${newest}" REALPATH)
      set(${result} "${newest}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${result} "" PARENT_SCOPE)
endfunction()

set(GAMA_LOCAL_EXECUTABLE "")
set(GAMA_LOCAL_SCHEMA "")
set(gama_source "${TRAVERSE_GAMA_SOURCE}")
if(NOT gama_source)
  traverse_find_gama_source(gama_source)
endif()

if(NOT gama_source OR NOT EXISTS "${gama_source}")
  set(absent "GNU Gama's source was not found in ../shared/gama/ (nor TRAVERSE_GAMA_SOURCE): "
             "no gama-local, the cross-check with it is skipped")
  string(CONCAT absent ${absent})
  message(STATUS "${absent}")
  add_custom_target(gama_local COMMAND ${CMAKE_COMMAND} -E echo "${absent}")
  return()
endif()

# The schema the written documents must satisfy, taken from the same source.
set(gama_schema_dir "${CMAKE_BINARY_DIR}/gama-schema")
file(ARCHIVE_EXTRACT INPUT "${gama_source}" DESTINATION "${gama_schema_dir}"
     PATTERNS "*/xml/gama-local.xsd")
file(GLOB_RECURSE GAMA_LOCAL_SCHEMA "${gama_schema_dir}/*/xml/gama-local.xsd")

if(TRAVERSE_GAMA_LOCAL)
  set(GAMA_LOCAL_EXECUTABLE "${TRAVERSE_GAMA_LOCAL}")
  add_custom_target(gama_local)
  return()
endif()

include(ExternalProject)
set(gama_dir "${CMAKE_BINARY_DIR}/gama")
ExternalProject_Add(gama
  URL "${gama_source}"
  DOWNLOAD_EXTRACT_TIMESTAMP TRUE
  PREFIX "${gama_dir}"
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DDISABLE_GNU_GAMA_TESTING=ON
             -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target gama-local
  INSTALL_COMMAND ""
  EXCLUDE_FROM_ALL TRUE
  BUILD_BYPRODUCTS "${gama_dir}/src/gama-build/gama-local")
set(GAMA_LOCAL_EXECUTABLE "${gama_dir}/src/gama-build/gama-local")
add_custom_target(gama_local DEPENDS gama)
