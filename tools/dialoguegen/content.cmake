# "Data/Dialogue.dat": the story's lines from the readable sources in content/dialogue.
file(GLOB DIALOGUE_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/content/dialogue/*.txt")
add_custom_command(
  OUTPUT "${CORVADINE_GAME_DIR}/Data/Dialogue.dat"
  COMMAND dialoguegen "${CMAKE_SOURCE_DIR}/content/dialogue" "${CORVADINE_GAME_DIR}/Data/Dialogue.dat"
  DEPENDS dialoguegen ${DIALOGUE_SOURCES}
  COMMENT "Building Data/Dialogue.dat from content/dialogue"
  VERBATIM)
set_property(GLOBAL APPEND PROPERTY CORVADINE_CONTENT "${CORVADINE_GAME_DIR}/Data/Dialogue.dat")
