# The 130 maps: content/maps/Map_<n>.map -> ${CORVADINE_GAME_DIR}/Data/Map_<n>.dat
file(GLOB MAP_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/content/maps/Map_*.map")
set(map_outputs "")
foreach(source ${MAP_SOURCES})
  get_filename_component(name "${source}" NAME_WE)
  set(output "${CORVADINE_GAME_DIR}/Data/${name}.dat")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CORVADINE_GAME_DIR}/Data"
    COMMAND mapc -o "${output}" "${source}"
    DEPENDS mapc "${source}" "${CMAKE_SOURCE_DIR}/content/maps/tiles.txt"
    COMMENT "map ${name}"
    VERBATIM)
  list(APPEND map_outputs "${output}")
endforeach()
set_property(GLOBAL APPEND PROPERTY CORVADINE_CONTENT ${map_outputs})
