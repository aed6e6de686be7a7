# Builds the mesh resources 327-346 (text .x files) into the game's Res folder.
set(MESH_SOURCE "${CMAKE_SOURCE_DIR}/content/meshes/meshes.txt")
set(MESH_OUTPUTS "")
foreach(id RANGE 327 346)
  list(APPEND MESH_OUTPUTS "${CORVADINE_GAME_DIR}/Res/Xfile_${id}.x")
endforeach()
add_custom_command(
  OUTPUT ${MESH_OUTPUTS}
  COMMAND ${CMAKE_COMMAND} -E make_directory "${CORVADINE_GAME_DIR}/Res"
  COMMAND meshgen "${MESH_SOURCE}" "${CORVADINE_GAME_DIR}/Res"
  DEPENDS meshgen "${MESH_SOURCE}"
  COMMENT "Building the mesh resources"
  VERBATIM)
set_property(GLOBAL APPEND PROPERTY CORVADINE_CONTENT ${MESH_OUTPUTS})
