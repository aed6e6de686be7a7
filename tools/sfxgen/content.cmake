# Sound effects: content/sounds/NAME.sfx -> Se/NAME.wav
file(GLOB SFX_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/content/sounds/*.sfx")
set(SFX_OUTPUTS "")
foreach(src ${SFX_SOURCES})
  get_filename_component(stem "${src}" NAME_WE)
  list(APPEND SFX_OUTPUTS "${CORVADINE_GAME_DIR}/Se/${stem}.wav")
endforeach()
if(SFX_OUTPUTS)
  add_custom_command(
    OUTPUT ${SFX_OUTPUTS}
    COMMAND sfxgen "${CMAKE_SOURCE_DIR}/content/sounds" "${CORVADINE_GAME_DIR}/Se"
    DEPENDS sfxgen ${SFX_SOURCES}
    COMMENT "Synthesising the sound effects"
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY CORVADINE_CONTENT ${SFX_OUTPUTS})
endif()
