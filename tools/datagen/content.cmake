# "Data.dat" from the text tables in content/data. The Shift-JIS tables the
# tool reads stay in the game folder beside it, where the developer mode
# reads them.
set(DATAGEN_TABLES
  Item_Data.txt Wepon_Skill.txt Magic_Skill.txt Mashouseki.txt
  Monster_Data.txt Unit_Data.txt Card_Data.txt)
set(DATAGEN_SOURCES "")
set(DATAGEN_OUTPUTS "${CORVADINE_GAME_DIR}/Data.dat")
foreach(table ${DATAGEN_TABLES})
  list(APPEND DATAGEN_SOURCES "${CMAKE_SOURCE_DIR}/content/data/${table}")
  list(APPEND DATAGEN_OUTPUTS "${CORVADINE_GAME_DIR}/${table}")
endforeach()
add_custom_command(
  OUTPUT ${DATAGEN_OUTPUTS}
  COMMAND ${CMAKE_COMMAND} -E make_directory "${CORVADINE_GAME_DIR}"
  COMMAND datagen "${CMAKE_SOURCE_DIR}/content/data" "${CORVADINE_GAME_DIR}" "${CORVADINE_GAME_DIR}/Data.dat"
  DEPENDS datagen ${DATAGEN_SOURCES}
  COMMENT "Building Data.dat from the text tables"
  VERBATIM)
set_property(GLOBAL APPEND PROPERTY CORVADINE_CONTENT ${DATAGEN_OUTPUTS})
