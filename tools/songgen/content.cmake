# Songs: content/songs/ID_name.song -> Res/Midi_ID.mid
file(GLOB SONG_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/content/songs/*.song")
set(SONG_OUTPUTS "")
foreach(src ${SONG_SOURCES})
  get_filename_component(stem "${src}" NAME_WE)
  string(REGEX MATCH "^[0-9]+" song_id "${stem}")
  list(APPEND SONG_OUTPUTS "${CORVADINE_GAME_DIR}/Res/Midi_${song_id}.mid")
endforeach()
if(SONG_OUTPUTS)
  add_custom_command(
    OUTPUT ${SONG_OUTPUTS}
    COMMAND songgen "${CMAKE_SOURCE_DIR}/content/songs" "${CORVADINE_GAME_DIR}/Res"
    DEPENDS songgen ${SONG_SOURCES}
    COMMENT "Writing the songs"
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY CORVADINE_CONTENT ${SONG_OUTPUTS})
endif()
