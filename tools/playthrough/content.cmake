# The route's goals file goes beside the playthrough program, where it looks
# for it by default.
add_custom_command(
  OUTPUT "${CMAKE_BINARY_DIR}/bin/playthrough-route.txt"
  COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_SOURCE_DIR}/tools/playthrough/route.txt"
          "${CMAKE_BINARY_DIR}/bin/playthrough-route.txt"
  DEPENDS "${CMAKE_SOURCE_DIR}/tools/playthrough/route.txt"
  COMMENT "Copying the playthrough's route"
  VERBATIM)
set_property(GLOBAL APPEND PROPERTY CORVADINE_CONTENT "${CMAKE_BINARY_DIR}/bin/playthrough-route.txt")
