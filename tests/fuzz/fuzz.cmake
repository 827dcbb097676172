# The fuzz targets (settings file, spelling tokenizer, Live Update configuration, Open...), built with clang's libFuzzer beside the
# g++ build, and a short run of each as a test. Skipped when clang++ cannot link -fsanitize=fuzzer.
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
    # The spelling tokenizer and the checker's session over it.
    set(_spell_fuzz_exe ${CMAKE_BINARY_DIR}/spelling_fuzz)
    set(_spell_fuzz_sources ${CMAKE_SOURCE_DIR}/tests/fuzz/spelling_fuzz.cpp ${CMAKE_SOURCE_DIR}/options/SpellTokenizer.cpp
        ${CMAKE_SOURCE_DIR}/options/SpellWords.cpp ${CMAKE_SOURCE_DIR}/options/SpellChecker.cpp
        ${CMAKE_SOURCE_DIR}/options/SpellSuggest.cpp ${CMAKE_SOURCE_DIR}/options/SpellSession.cpp)
    add_custom_command(
      OUTPUT ${_spell_fuzz_exe}
      COMMAND ${PAGEWICK_CLANGXX} -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined
              -I${CMAKE_SOURCE_DIR} ${_spell_fuzz_sources} -lz -o ${_spell_fuzz_exe}
      DEPENDS ${_spell_fuzz_sources} ${CMAKE_SOURCE_DIR}/options/SpellTokenizer.h ${CMAKE_SOURCE_DIR}/options/SpellWords.h
              ${CMAKE_SOURCE_DIR}/options/SpellChecker.h ${CMAKE_SOURCE_DIR}/options/SpellSession.h
      COMMENT "Building the spelling fuzz target with clang++")
    add_custom_target(build_spelling_fuzz ALL DEPENDS ${_spell_fuzz_exe})
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/spelling_fuzz_corpus)
    add_test(NAME SpellingFuzz.ShortRun
             COMMAND ${_spell_fuzz_exe} -runs=20000 -max_len=512 -seed=1
                     ${CMAKE_BINARY_DIR}/spelling_fuzz_corpus ${CMAKE_SOURCE_DIR}/tests/fuzz/spelling_corpus)
  else()
    message(STATUS "clang++ cannot link libFuzzer: the fuzz targets are skipped")
  endif()
endif()

# The Live Update configuration reader, the same way.
if(PAGEWICK_CLANGXX AND _probe_rc EQUAL 0)
  set(_update_fuzz_exe ${CMAKE_BINARY_DIR}/update_config_fuzz)
  add_custom_command(
    OUTPUT ${_update_fuzz_exe}
    COMMAND ${PAGEWICK_CLANGXX} -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined
            -I${CMAKE_SOURCE_DIR}
            ${CMAKE_SOURCE_DIR}/tests/fuzz/update_config_fuzz.cpp ${CMAKE_SOURCE_DIR}/update/UpdateConfig.cpp
            -o ${_update_fuzz_exe}
    DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/update_config_fuzz.cpp ${CMAKE_SOURCE_DIR}/update/UpdateConfig.cpp
            ${CMAKE_SOURCE_DIR}/update/UpdateConfig.h
    COMMENT "Building the Live Update configuration fuzz target with clang++")
  add_custom_target(build_update_config_fuzz ALL DEPENDS ${_update_fuzz_exe})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/update_config_fuzz_corpus)
  add_test(NAME UpdateConfigFuzz.ShortRun
           COMMAND ${_update_fuzz_exe} -runs=20000 -max_len=512 -seed=1
                   ${CMAKE_BINARY_DIR}/update_config_fuzz_corpus ${CMAKE_SOURCE_DIR}/tests/fuzz/update_corpus)
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
