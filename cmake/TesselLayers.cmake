# Each library exposes only its own include root: a folder in the build tree,
# build/include/<target>, holding links to the folders or headers the target
# owns, under their source paths. `#include "skin/SuiButton.h"` therefore
# resolves only for targets that link tessel_skin, and a layer that reaches
# into one it does not depend on fails to build.
#
#   tessel_expose(<target> <folder or header, relative to the source root>...)
function(tessel_expose target)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  foreach(item IN LISTS ARGN)
    get_filename_component(parent ${root}/${item} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    if(NOT EXISTS ${root}/${item})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${item} ${root}/${item} SYMBOLIC)
    endif()
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  elseif(type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
