# Authenticode: with a code-signing certificate given, pagewick.exe is signed right after it is
# linked, and the setup program and the uninstaller it writes while makensis builds them
# (installer/CMakeLists.txt, installer/sign.sh). Without one, nothing is signed.
#   PAGEWICK_SIGN_CERT           a PFX (.pfx/.p12: certificate chain and key), or a PEM
#                                certificate chain when PAGEWICK_SIGN_KEY is given
#   PAGEWICK_SIGN_KEY            the PEM private key of a PEM certificate
#   PAGEWICK_SIGN_TIMESTAMP_URL  an RFC 3161 timestamp server (the signature then outlives the
#                                certificate); empty: no timestamp
#   PAGEWICK_SIGN_CA             a root certificate the signature tests trust besides the
#                                system's (a test CA); empty for a publicly trusted certificate
# The password of the PFX or of the key is read from PAGEWICK_SIGN_PASSWORD while the build
# signs; it is never written into the build tree.
# Included by the top-level CMakeLists.txt, where the pagewick target is made.
set(PAGEWICK_SIGN_CERT "" CACHE FILEPATH
  "Authenticode certificate: a PFX with its key, or a PEM certificate chain (with PAGEWICK_SIGN_KEY); empty: unsigned")
set(PAGEWICK_SIGN_KEY "" CACHE FILEPATH "PEM private key of a PEM PAGEWICK_SIGN_CERT")
set(PAGEWICK_SIGN_TIMESTAMP_URL "" CACHE STRING "RFC 3161 timestamp server for the signatures; empty: none")
set(PAGEWICK_SIGN_CA "" CACHE FILEPATH "Root certificate the signature tests trust besides the system's")
set(PAGEWICK_SIGN_SCRIPT ${CMAKE_SOURCE_DIR}/installer/sign.sh)
# What the signing depends on, one file: pagewick.exe is linked again and the setup program
# made again whenever it changes (a new certificate, signed after unsigned, or the reverse), so
# no file signed the old way, or not at all, survives into a release.
set(PAGEWICK_SIGN_CONFIG ${CMAKE_BINARY_DIR}/gen/signing.conf)

set(PAGEWICK_SIGNED OFF)
set(_sign_cert_sha "")
if(PAGEWICK_SIGN_CERT)
  find_program(PAGEWICK_OSSLSIGNCODE osslsigncode)
  if(NOT PAGEWICK_OSSLSIGNCODE)
    message(FATAL_ERROR "PAGEWICK_SIGN_CERT is set but osslsigncode is missing (scripts/setup.sh installs it)")
  endif()
  foreach(_f PAGEWICK_SIGN_CERT PAGEWICK_SIGN_KEY PAGEWICK_SIGN_CA)
    if(${_f} AND NOT EXISTS "${${_f}}")
      message(FATAL_ERROR "${_f}: no such file: ${${_f}}")
    endif()
  endforeach()
  if(PAGEWICK_SIGN_TIMESTAMP_URL AND NOT PAGEWICK_SIGN_TIMESTAMP_URL MATCHES "^https?://")
    message(FATAL_ERROR "PAGEWICK_SIGN_TIMESTAMP_URL is not an http:// or https:// address: ${PAGEWICK_SIGN_TIMESTAMP_URL}")
  endif()
  file(SHA256 "${PAGEWICK_SIGN_CERT}" _sign_cert_sha)
  set(PAGEWICK_SIGNED ON)
  if(PAGEWICK_SIGN_TIMESTAMP_URL)
    message(STATUS "Authenticode: signing with ${PAGEWICK_SIGN_CERT}, timestamps from ${PAGEWICK_SIGN_TIMESTAMP_URL}")
  else()
    message(STATUS "Authenticode: signing with ${PAGEWICK_SIGN_CERT}, without a timestamp")
  endif()
else()
  set(PAGEWICK_OSSLSIGNCODE "")
  message(STATUS "Authenticode: not signed (no PAGEWICK_SIGN_CERT)")
endif()
file(CONFIGURE OUTPUT ${PAGEWICK_SIGN_CONFIG} CONTENT
"CERT=${PAGEWICK_SIGN_CERT}
CERT_SHA256=${_sign_cert_sha}
KEY=${PAGEWICK_SIGN_KEY}
TIMESTAMP=${PAGEWICK_SIGN_TIMESTAMP_URL}
URL=${PAGEWICK_WEBSITE}
OSSLSIGNCODE=${PAGEWICK_OSSLSIGNCODE}
")
set_property(TARGET pagewick APPEND PROPERTY LINK_DEPENDS ${PAGEWICK_SIGN_CONFIG})
if(PAGEWICK_SIGNED)
  set_property(TARGET pagewick APPEND PROPERTY LINK_DEPENDS ${PAGEWICK_SIGN_SCRIPT})
  add_custom_command(TARGET pagewick POST_BUILD
    COMMAND bash ${PAGEWICK_SIGN_SCRIPT} ${PAGEWICK_SIGN_CONFIG} Pagewick $<TARGET_FILE:pagewick>
    VERBATIM)
endif()
