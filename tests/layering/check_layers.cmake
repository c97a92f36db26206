# Fails when a file of src/ or cli/ includes a header against the layer order of the README, or
# a header from inside another folder's rooms (src/F/ROOM/*.h are F's own).
# Run as: cmake -DROOT=<source dir> -P check_layers.cmake

# Lowest first; the folders of one entry are peers and do not include one another.
set(LAYERS "platform" "geo" "xml crs" "records" "import" "check reduce" "export fieldcheck adjust" "gis"
    "report"
    "cli")

set(rank 0)
foreach(layer IN LISTS LAYERS)
  string(REPLACE " " ";" folders "${layer}")
  foreach(folder IN LISTS folders)
    set(RANK_${folder} ${rank})
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()

file(GLOB_RECURSE files RELATIVE ${ROOT} ${ROOT}/src/*.h ${ROOT}/src/*.cpp ${ROOT}/cli/*.h
     ${ROOT}/cli/*.cpp)
set(faults "")
foreach(file IN LISTS files)
  if(file MATCHES "^src/([^/]+)/")
    set(folder ${CMAKE_MATCH_1})
  else()
    set(folder cli)
  endif()
  if(NOT DEFINED RANK_${folder})
    string(APPEND faults "${file}: folder ${folder} has no place in the layer order\n")
    continue()
  endif()
  file(STRINGS ${ROOT}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${line}")
    string(REGEX MATCH "^[^/]+" target "${header}")
    if(target STREQUAL folder OR NOT DEFINED RANK_${target})
      continue()
    endif()
    if(NOT RANK_${target} LESS RANK_${folder})
      string(APPEND faults "${file}: ${header}: ${folder} may not include ${target}\n")
    elseif(header MATCHES "^[^/]+/[^/]+/")
      string(APPEND faults "${file}: ${header}: inside the rooms of ${target}\n")
    endif()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Includes against the layer order:\n${faults}")
endif()
