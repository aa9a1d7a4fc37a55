# Compiles the help project in SOURCE_DIR with chmcmd into OUTPUT.
# chmcmd reports missing pages, links and images only as warnings and still exits with
# 0, so every warning or error it prints is treated as a failure here.
file(REMOVE_RECURSE ${WORK_DIR})
file(COPY ${SOURCE_DIR}/ DESTINATION ${WORK_DIR}
  FILES_MATCHING PATTERN "*.html" PATTERN "*.css" PATTERN "*.png"
                 PATTERN "*.hhc" PATTERN "*.hhk" PATTERN "*.hhp")

execute_process(COMMAND ${CHMCMD} slopekit.hhp
  WORKING_DIRECTORY ${WORK_DIR}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE out
  ERROR_VARIABLE out)

if(NOT result EQUAL 0 OR out MATCHES "(Warning|Error|Hint)" OR NOT EXISTS ${WORK_DIR}/slopekit.chm)
  message(FATAL_ERROR "chmcmd could not compile the help:\n${out}")
endif()
file(COPY_FILE ${WORK_DIR}/slopekit.chm ${OUTPUT})
