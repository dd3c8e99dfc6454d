# Runs PROGRAM with the words of WORDS (separated by '|'), standard input
# from INPUT when given; checks the exit status against STATUS and the
# output (standard output, then standard error) against REGEX. A program
# built for another system runs through EMULATOR (its words also '|'-separated).
string(REPLACE "|" ";" words "${WORDS}")
string(REPLACE "|" ";" emulator "${EMULATOR}")
if(INPUT)
  set(input INPUT_FILE ${INPUT})
endif()
execute_process(COMMAND ${emulator} ${PROGRAM} ${words} ${input}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status STREQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}\nstdout: ${out}\nstderr: ${err}")
endif()
if(NOT "${out}${err}" MATCHES "${REGEX}")
  message(FATAL_ERROR "output does not match ${REGEX}\nstdout: ${out}\nstderr: ${err}")
endif()
