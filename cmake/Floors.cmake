# Each folder of the program is one floor, a library that builds only on the floors below it:
#   base/ <- phone/ <- core/ <- cli/, ui/ <- startup/
# A floor's headers are reached as "floor/Header.h" through an include root of its own: a folder
# in the build tree that holds one link, named after the floor, to the floor's sources. A library
# then sees its own floor and those it links, so an include that climbs does not compile
# (tests/layout checks the source text too, for "../" and bare names).
function(kelvane_floor target)
  get_filename_component(floor ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(root ${CMAKE_BINARY_DIR}/floors/${floor})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${floor} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
endfunction()
