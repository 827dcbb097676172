# Writes the release folder: a copy of the setup program and pagewick.txt, the Live Update
# configuration file for it. Lines end in CR LF (a lone LF does not end a line for the reader):
#   1  the update's name, shown to the user
#   2  the version
#   3  the setup program's address
#   4  the SHA-256 of the setup program, 64 lower-case hex digits
#   5  the publisher's signature of lines 1 to 4 (their exact bytes, line ends included): the
#      base64, on one line, of the DER ECDSA signature `openssl dgst -sha256 -sign KEY` makes
# The signature is checked against the public key the program carries before the file is
# written, so a release never names a key the program does not trust.
# cmake -DSETUP=... -DOUT_DIR=... -DUPDATE_NAME=... -DVERSION=... -DURL=... -DOPENSSL=...
#       -DSIGNING_KEY=private.pem -DPUBLIC_KEY=public.pem -P release-config.cmake
foreach(var SETUP OUT_DIR UPDATE_NAME VERSION URL OPENSSL SIGNING_KEY PUBLIC_KEY)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "release-config.cmake: ${var} is not set")
  endif()
endforeach()
if(NOT EXISTS "${SETUP}")
  message(FATAL_ERROR "release-config.cmake: no setup program at ${SETUP}")
endif()
get_filename_component(setup_name "${SETUP}" NAME)
if(NOT URL MATCHES "/${setup_name}$")
  message(FATAL_ERROR "release-config.cmake: ${URL} does not name ${setup_name}")
endif()
file(SHA256 "${SETUP}" sha)
string(TOLOWER "${sha}" sha)
file(MAKE_DIRECTORY "${OUT_DIR}")
file(COPY_FILE "${SETUP}" "${OUT_DIR}/${setup_name}")
set(lines "${OUT_DIR}/pagewick.lines.tmp")
set(der "${OUT_DIR}/pagewick.sig.tmp")
set(text "${UPDATE_NAME}\r\n${VERSION}\r\n${URL}\r\n${sha}\r\n")
file(WRITE "${lines}" "${text}")
execute_process(COMMAND "${OPENSSL}" dgst -sha256 -sign "${SIGNING_KEY}" -out "${der}" "${lines}"
  RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  file(REMOVE "${lines}" "${der}")
  message(FATAL_ERROR "release-config.cmake: signing with ${SIGNING_KEY} failed: ${err}")
endif()
execute_process(COMMAND "${OPENSSL}" dgst -sha256 -verify "${PUBLIC_KEY}" -signature "${der}" "${lines}"
  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 0)
  file(REMOVE "${lines}" "${der}")
  message(FATAL_ERROR "release-config.cmake: ${SIGNING_KEY} is not the private half of ${PUBLIC_KEY}, "
                      "the key the program carries")
endif()
execute_process(COMMAND "${OPENSSL}" base64 -A -in "${der}" OUTPUT_VARIABLE signature RESULT_VARIABLE rc)
string(STRIP "${signature}" signature)
file(REMOVE "${lines}" "${der}")
if(NOT rc EQUAL 0 OR signature STREQUAL "")
  message(FATAL_ERROR "release-config.cmake: the signature could not be written as base64")
endif()
file(WRITE "${OUT_DIR}/pagewick.txt.tmp" "${text}${signature}\r\n")
file(RENAME "${OUT_DIR}/pagewick.txt.tmp" "${OUT_DIR}/pagewick.txt")
message(STATUS "${OUT_DIR}/pagewick.txt: ${VERSION}, ${URL}, sha256 ${sha}")
