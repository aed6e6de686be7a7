# The four boat courses: content/courses/course<n>.txt -> ${CORVADINE_GAME_DIR}/Data/Boat_<n>.dat
set(course_outputs "")
foreach(course RANGE 0 3)
  set(source "${CMAKE_SOURCE_DIR}/content/courses/course${course}.txt")
  set(output "${CORVADINE_GAME_DIR}/Data/Boat_${course}.dat")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CORVADINE_GAME_DIR}/Data"
    COMMAND coursegen -o "${output}" "${source}"
    DEPENDS coursegen "${source}"
    COMMENT "boat course ${course}"
    VERBATIM)
  list(APPEND course_outputs "${output}")
endforeach()
set_property(GLOBAL APPEND PROPERTY CORVADINE_CONTENT ${course_outputs})
