cmake_minimum_required(VERSION 3.25)
# The layering check must fail on a deliberate violation: each plain-data folder in turn
# includes the document (or the roster week), in a copy of the core's folder names.
# Usage: cmake -DCHECK=<CheckLayering.cmake> -DWORK=<scratch folder> -P CheckLayeringCatches.cmake
set(cases "weeks|document/RosterDocument.h" "autofill|document/AutoFill.h" "render|document/WardModel.h"
          "print|document/WeekPrintSheet.h" "stats|document/StatisticsRun.h" "weeks|roster/RosterWeek.h"
          "print|roster/RosterWeek.h")
foreach(case ${cases})
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 folder)
  list(GET parts 1 include)
  file(REMOVE_RECURSE ${WORK})
  foreach(f util settings roster weeks autofill clinics stats render print document)
    file(WRITE ${WORK}/${f}/Plain.h "#pragma once\n")
  endforeach()
  file(WRITE ${WORK}/${folder}/Bad.cpp "#include \"${include}\"\n")
  execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${WORK} -P ${CHECK} RESULT_VARIABLE rc ERROR_VARIABLE out)
  if(rc EQUAL 0 OR NOT out MATCHES "${folder}/Bad.cpp")
    message(FATAL_ERROR "The layering check let ${folder}/ include ${include}:\n${out}")
  endif()
endforeach()
# And the same tree without the bad file passes.
file(REMOVE ${WORK}/${folder}/Bad.cpp)
execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${WORK} -P ${CHECK} RESULT_VARIABLE rc ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "The layering check failed a clean tree:\n${out}")
endif()
file(REMOVE_RECURSE ${WORK})
