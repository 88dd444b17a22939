# Compiles the translation with lrelease and fails when a message is
# unfinished or untranslated: every text the program shows has its English.
#   cmake -DLRELEASE=… -DTS=… -DQM=… -P ReleaseTranslation.cmake
execute_process(COMMAND ${LRELEASE} ${TS} -qm ${QM}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lrelease failed:\n${out}${err}")
endif()
if(out MATCHES "[1-9][0-9]* unfinished" OR out MATCHES "untranslated")
  file(REMOVE ${QM})
  message(FATAL_ERROR "${TS} is not finished:\n${out}")
endif()
