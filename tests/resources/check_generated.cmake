# Runs the two generators into WORK and fails unless each output equals the
# committed file in COMMITTED. Script mode: MAKE_LEGEND, MAKE_ICON, COMMITTED, WORK.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
foreach(pair "${MAKE_LEGEND};legend104.bmp" "${MAKE_ICON};icon32512.ico")
  list(GET pair 0 tool)
  list(GET pair 1 name)
  execute_process(COMMAND "${tool}" "${WORK}/${name}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${tool} failed with ${rc}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/${name}" "${COMMITTED}/${name}"
    RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "${name}: the generator's output differs from the committed file; "
      "run the generator and commit its output")
  endif()
endforeach()
