# cmake -DOSSLSIGNCODE=... -DCERT=... -DKEY=... [-DTIMESTAMP_URL=...]
#       -DDESCRIPTION=... -DFILE=... -P SignFile.cmake
# Signs FILE in place (Authenticode, SHA-256). On failure FILE is removed, so
# that the next build links and signs again instead of keeping an unsigned
# program that looks finished.
set(signed "${FILE}.signed")
file(REMOVE "${signed}")
set(args sign -certs "${CERT}" -key "${KEY}" -h sha256 -n "${DESCRIPTION}")
if(TIMESTAMP_URL)
  list(APPEND args -ts "${TIMESTAMP_URL}")
endif()
# A fixed signing time when the build has one, so that a signed rebuild of
# the same sources gives the same bytes as well.
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT TIMESTAMP_URL)
  list(APPEND args -time "$ENV{SOURCE_DATE_EPOCH}")
endif()
execute_process(COMMAND "${OSSLSIGNCODE}" ${args} -in "${FILE}" -out "${signed}"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  file(REMOVE "${signed}" "${FILE}")
  message(FATAL_ERROR "osslsigncode could not sign ${FILE}:\n${out}")
endif()
file(RENAME "${signed}" "${FILE}")
