# Authenticode signing of the setup program with osslsigncode (SHA-256).
#
# VELTORI_SIGN_CERT (a PEM certificate, the signer's first, then any chain)
# and VELTORI_SIGN_KEY (its PEM private key, not encrypted) switch it on;
# VELTORI_SIGN_TIMESTAMP_URL (an RFC 3161 time-stamp server) is optional.
# The configure step stops when a file is missing or the key is not the
# certificate's, so that a release build never ends unsigned by surprise.
set(VELTORI_SIGN_CERT "" CACHE FILEPATH
    "PEM certificate (chain allowed) to sign VelToriSetup.exe with; empty: not signed")
set(VELTORI_SIGN_KEY "" CACHE FILEPATH "PEM private key of VELTORI_SIGN_CERT")
set(VELTORI_SIGN_TIMESTAMP_URL "" CACHE STRING
    "RFC 3161 time-stamp server for the signature (optional)")

set(VLT_SIGN_FILE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/SignFile.cmake)

# The PEM public key that `command` (an openssl call) prints, or a stop with
# `complaint` and openssl's own words.
function(vlt_public_key out complaint)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE key ERROR_VARIABLE why)
  if(NOT status EQUAL 0)
    string(STRIP "${why}" why)
    message(FATAL_ERROR "${complaint}\n${why}")
  endif()
  set(${out} "${key}" PARENT_SCOPE)
endfunction()

# Checks the signing settings once per configure; sets VLT_SIGNING to ON when
# the setup program is to be signed.
function(vlt_check_signing)
  set(VLT_SIGNING OFF PARENT_SCOPE)
  if(VELTORI_SIGN_CERT STREQUAL "" AND VELTORI_SIGN_KEY STREQUAL "")
    return()
  endif()
  if(VELTORI_SIGN_CERT STREQUAL "")
    message(FATAL_ERROR "VELTORI_SIGN_KEY is set but VELTORI_SIGN_CERT is not: signing needs both")
  endif()
  if(VELTORI_SIGN_KEY STREQUAL "")
    message(FATAL_ERROR "VELTORI_SIGN_CERT is set but VELTORI_SIGN_KEY is not: signing needs both")
  endif()
  foreach(setting VELTORI_SIGN_CERT VELTORI_SIGN_KEY)
    if(NOT EXISTS "${${setting}}" OR IS_DIRECTORY "${${setting}}")
      message(FATAL_ERROR "${setting}: no such file: ${${setting}}")
    endif()
  endforeach()
  find_program(VLT_OSSLSIGNCODE osslsigncode)
  find_program(VLT_OPENSSL openssl)
  if(NOT VLT_OSSLSIGNCODE OR NOT VLT_OPENSSL)
    message(FATAL_ERROR "signing needs osslsigncode and openssl (apt-get install osslsigncode openssl)")
  endif()
  vlt_public_key(cert_key "VELTORI_SIGN_CERT: not a PEM certificate: ${VELTORI_SIGN_CERT}"
                 ${VLT_OPENSSL} x509 -in ${VELTORI_SIGN_CERT} -noout -pubkey)
  vlt_public_key(key_key
                 "VELTORI_SIGN_KEY: not a readable PEM private key (an encrypted key is not supported): ${VELTORI_SIGN_KEY}"
                 ${VLT_OPENSSL} pkey -in ${VELTORI_SIGN_KEY} -passin pass: -pubout)
  if(NOT cert_key STREQUAL key_key)
    message(FATAL_ERROR "VELTORI_SIGN_KEY does not match VELTORI_SIGN_CERT: the key's public key is "
                        "not the certificate's (key ${VELTORI_SIGN_KEY}, certificate ${VELTORI_SIGN_CERT})")
  endif()
  message(STATUS "VelToriSetup.exe will be signed with ${VELTORI_SIGN_CERT}")
  set(VLT_SIGNING ON PARENT_SCOPE)
endfunction()

# Signs the output of `target` in place after every link. The payload is a
# linked resource object, so it is inside the file by then; the signature
# goes into the attribute certificate table at the end of the file and
# leaves the sections, the resources among them, as they are.
function(vlt_sign_after_build target description)
  vlt_check_signing()
  if(NOT VLT_SIGNING)
    return()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND}
            -DOSSLSIGNCODE=${VLT_OSSLSIGNCODE}
            -DCERT=${VELTORI_SIGN_CERT}
            -DKEY=${VELTORI_SIGN_KEY}
            -DTIMESTAMP_URL=${VELTORI_SIGN_TIMESTAMP_URL}
            -DDESCRIPTION=${description}
            -DFILE=$<TARGET_FILE:${target}>
            -P ${VLT_SIGN_FILE_SCRIPT}
    COMMENT "Signing $<TARGET_FILE_NAME:${target}>"
    VERBATIM)
endfunction()
