# The review overview of every picture: build/contact-sheet.png.
set(CONTACT_SHEET "${CMAKE_BINARY_DIR}/contact-sheet.png")
add_custom_command(
  OUTPUT "${CONTACT_SHEET}"
  COMMAND contactsheet "${CORVADINE_GAME_DIR}/Res" "${CONTACT_SHEET}"
  DEPENDS contactsheet "${CORVADINE_GAME_DIR}/Res/Icon_389.bmp" "${CORVADINE_GAME_DIR}/Res/Bitmap_141.bmp"
  COMMENT "Making the contact sheet of the pictures"
  VERBATIM)
set_property(GLOBAL APPEND PROPERTY CORVADINE_CONTENT "${CONTACT_SHEET}")
