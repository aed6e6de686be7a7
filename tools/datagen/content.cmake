# "Data.dat" from the text tables in content/data.
set(DATAGEN_TABLES
  Item_Data.txt Wepon_Skill.txt Magic_Skill.txt Mashouseki.txt
  Monster_Data.txt Unit_Data.txt Card_Data.txt)
set(DATAGEN_SOURCES "")
foreach(table ${DATAGEN_TABLES})
  list(APPEND DATAGEN_SOURCES "${CMAKE_SOURCE_DIR}/content/data/${table}")
endforeach()
set(DATAGEN_WORK "${CMAKE_BINARY_DIR}/datagen")
add_custom_command(
  OUTPUT "${CORVADINE_GAME_DIR}/Data.dat"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${DATAGEN_WORK}" "${CORVADINE_GAME_DIR}"
  COMMAND datagen "${CMAKE_SOURCE_DIR}/content/data" "${DATAGEN_WORK}" "${CORVADINE_GAME_DIR}/Data.dat"
  DEPENDS datagen ${DATAGEN_SOURCES}
  COMMENT "Building Data.dat from the text tables"
  VERBATIM)
set_property(GLOBAL APPEND PROPERTY CORVADINE_CONTENT "${CORVADINE_GAME_DIR}/Data.dat")
