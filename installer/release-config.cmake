# Writes the release folder: a copy of the setup program and pagewick.txt, the Live Update
# configuration file for it. Lines end in CR LF (a lone LF does not end a line for the reader):
#   1  the update's name, shown to the user
#   2  the version
#   3  the setup program's address
#   4  the SHA-256 of the setup program, 64 lower-case hex digits
# cmake -DSETUP=... -DOUT_DIR=... -DUPDATE_NAME=... -DVERSION=... -DURL=... -P release-config.cmake
foreach(var SETUP OUT_DIR UPDATE_NAME VERSION URL)
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
file(WRITE "${OUT_DIR}/pagewick.txt.tmp" "${UPDATE_NAME}\r\n${VERSION}\r\n${URL}\r\n${sha}\r\n")
file(RENAME "${OUT_DIR}/pagewick.txt.tmp" "${OUT_DIR}/pagewick.txt")
message(STATUS "${OUT_DIR}/pagewick.txt: ${VERSION}, ${URL}, sha256 ${sha}")
