# purselog_expose(<target> <path>...): gives the target an include root of its own that holds only
# the named folders or headers (as links into the source tree), so that `#include "ledger/x.h"`
# works for the target itself and for everything that links it, and nothing else. A library
# therefore sees its own headers and those of the libraries below it, never one above it: the
# compiler keeps the arrows of the layers pointing down.
function(purselog_expose target)
  set(root "${PROJECT_BINARY_DIR}/include/${target}")
  foreach(path IN LISTS ARGN)
    get_filename_component(parent "${root}/${path}" DIRECTORY)
    file(MAKE_DIRECTORY "${parent}")
    file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${path}" "${root}/${path}" SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC "${root}")
endfunction()
