# Compiles Quillmark.hhp of SOURCE in a copy (WORK) with CHMCMD and copies the result to
# OUTPUT. A page that names a file the compiler cannot find (a picture not taken, a
# misspelt link) fails the build rather than giving a help file with holes.
#   cmake -DSOURCE=<dir> -DWORK=<dir> -DCHMCMD=<exe> -DOUTPUT=<file> -P build_help.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(GLOB sources "${SOURCE}/*.htm" "${SOURCE}/*.css" "${SOURCE}/*.hh?")
file(COPY ${sources} DESTINATION "${WORK}")
if(EXISTS "${SOURCE}/images")
  file(COPY "${SOURCE}/images" DESTINATION "${WORK}")
endif()
execute_process(COMMAND "${CHMCMD}" Quillmark.hhp WORKING_DIRECTORY "${WORK}"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT EXISTS "${WORK}/Quillmark.chm")
  message(FATAL_ERROR "chmcmd failed (${rc}):\n${out}${err}")
endif()
if(out MATCHES "Warning:|Error:" OR err MATCHES "Warning:|Error:")
  message(FATAL_ERROR "chmcmd reported problems:\n${out}${err}")
endif()
file(COPY_FILE "${WORK}/Quillmark.chm" "${OUTPUT}")
