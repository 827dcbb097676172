# The settings-file fuzz target, built with clang's libFuzzer beside the g++ build, and a
# short run of it as a test. Skipped when clang++ cannot link -fsanitize=fuzzer.
find_program(PAGEWICK_CLANGXX NAMES clang++ clang++-16 clang++-15 clang++-14)
if(PAGEWICK_CLANGXX)
  set(_probe_dir ${CMAKE_BINARY_DIR}/fuzz-probe)
  file(MAKE_DIRECTORY ${_probe_dir})
  file(WRITE ${_probe_dir}/probe.cpp
    "#include <cstddef>\n#include <cstdint>\nextern \"C\" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }\n")
  execute_process(COMMAND ${PAGEWICK_CLANGXX} -fsanitize=fuzzer,address ${_probe_dir}/probe.cpp -o ${_probe_dir}/probe
                  RESULT_VARIABLE _probe_rc OUTPUT_QUIET ERROR_QUIET)
  if(_probe_rc EQUAL 0)
    set(_fuzz_exe ${CMAKE_BINARY_DIR}/settings_fuzz)
    add_custom_command(
      OUTPUT ${_fuzz_exe}
      COMMAND ${PAGEWICK_CLANGXX} -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined
              -I${CMAKE_SOURCE_DIR}
              ${CMAKE_SOURCE_DIR}/tests/fuzz/settings_fuzz.cpp ${CMAKE_SOURCE_DIR}/storage/SettingsFile.cpp
              -o ${_fuzz_exe}
      DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/settings_fuzz.cpp ${CMAKE_SOURCE_DIR}/storage/SettingsFile.cpp
              ${CMAKE_SOURCE_DIR}/storage/SettingsFile.h
      COMMENT "Building the settings fuzz target with clang++")
    add_custom_target(build_settings_fuzz ALL DEPENDS ${_fuzz_exe})
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/settings_fuzz_corpus)
    add_test(NAME SettingsFuzz.ShortRun
             COMMAND ${_fuzz_exe} -runs=20000 -max_len=512 -seed=1
                     ${CMAKE_BINARY_DIR}/settings_fuzz_corpus ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus)
  else()
    message(STATUS "clang++ cannot link libFuzzer: the settings fuzz target is skipped")
  endif()
endif()

# The Open... reader (the text a file's bytes give, and its measure against the note's limits).
if(PAGEWICK_CLANGXX AND _probe_rc EQUAL 0)
  set(_open_fuzz_exe ${CMAKE_BINARY_DIR}/open_fuzz)
  set(_open_fuzz_sources ${CMAKE_SOURCE_DIR}/tests/fuzz/open_fuzz.cpp ${CMAKE_SOURCE_DIR}/editor/OpenText.cpp
      ${CMAKE_SOURCE_DIR}/storage/NoteFile.cpp ${CMAKE_SOURCE_DIR}/storage/NoteLimits.cpp)
  add_custom_command(
    OUTPUT ${_open_fuzz_exe}
    COMMAND ${PAGEWICK_CLANGXX} -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -I${CMAKE_SOURCE_DIR}
            ${_open_fuzz_sources} -o ${_open_fuzz_exe}
    DEPENDS ${_open_fuzz_sources} ${CMAKE_SOURCE_DIR}/editor/FileCommands.h ${CMAKE_SOURCE_DIR}/storage/NoteLimits.h
    COMMENT "Building the Open... fuzz target with clang++")
  add_custom_target(build_open_fuzz ALL DEPENDS ${_open_fuzz_exe})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/open_fuzz_corpus)
  add_test(NAME OpenFuzz.ShortRun
           COMMAND ${_open_fuzz_exe} -runs=20000 -max_len=4096 -seed=1
                   ${CMAKE_BINARY_DIR}/open_fuzz_corpus ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus-open)
endif()
