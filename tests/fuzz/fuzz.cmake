# The fuzz targets (settings file, spelling tokenizer, Live Update configuration, Open...),
# built with clang's libFuzzer beside the g++ build, and a short run of each as a test.
# Skipped when clang++ cannot link -fsanitize=fuzzer.
find_program(PAGEWICK_CLANGXX NAMES clang++ clang++-16 clang++-15 clang++-14)
if(NOT PAGEWICK_CLANGXX)
  return()
endif()
set(_probe_dir ${CMAKE_BINARY_DIR}/fuzz-probe)
file(MAKE_DIRECTORY ${_probe_dir})
file(WRITE ${_probe_dir}/probe.cpp
  "#include <cstddef>\n#include <cstdint>\nextern \"C\" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }\n")
execute_process(COMMAND ${PAGEWICK_CLANGXX} -fsanitize=fuzzer,address ${_probe_dir}/probe.cpp -o ${_probe_dir}/probe
                RESULT_VARIABLE _probe_rc OUTPUT_QUIET ERROR_QUIET)
if(NOT _probe_rc EQUAL 0)
  message(STATUS "clang++ cannot link libFuzzer: the fuzz targets are skipped")
  return()
endif()

# pagewick_fuzz(<exe name> <test name> <max input length> <seed corpus folder>
#               SOURCES <files...> [HEADERS <files...>] [LIBS <flags...>])
function(pagewick_fuzz exe test max_len corpus)
  cmake_parse_arguments(F "" "" "SOURCES;HEADERS;LIBS" ${ARGN})
  set(out ${CMAKE_BINARY_DIR}/${exe})
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${PAGEWICK_CLANGXX} -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -I${CMAKE_SOURCE_DIR}
            ${F_SOURCES} ${F_LIBS} -o ${out}
    DEPENDS ${F_SOURCES} ${F_HEADERS}
    COMMENT "Building the fuzz target ${exe} with clang++")
  add_custom_target(build_${exe} ALL DEPENDS ${out})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/${exe}_corpus)
  add_test(NAME ${test}
           COMMAND ${out} -runs=20000 -max_len=${max_len} -seed=1 ${CMAKE_BINARY_DIR}/${exe}_corpus ${corpus})
endfunction()

set(_src ${CMAKE_SOURCE_DIR})
pagewick_fuzz(settings_fuzz SettingsFuzz.ShortRun 512 ${_src}/tests/fuzz/corpus
  SOURCES ${_src}/tests/fuzz/settings_fuzz.cpp ${_src}/storage/SettingsFile.cpp
  HEADERS ${_src}/storage/SettingsFile.h)
# The spelling tokenizer and the checker's session over it.
pagewick_fuzz(spelling_fuzz SpellingFuzz.ShortRun 512 ${_src}/tests/fuzz/spelling_corpus
  SOURCES ${_src}/tests/fuzz/spelling_fuzz.cpp ${_src}/options/spelling/SpellTokenizer.cpp ${_src}/options/spelling/SpellWords.cpp
          ${_src}/options/spelling/SpellChecker.cpp ${_src}/options/spelling/SpellSuggest.cpp ${_src}/options/spelling/SpellSession.cpp
          ${_src}/platform/TextCodec.cpp
          ${_src}/options/spelling/Inflate.cpp
  HEADERS ${_src}/options/spelling/SpellTokenizer.h ${_src}/options/spelling/SpellWords.h ${_src}/options/spelling/SpellChecker.h
          ${_src}/options/spelling/SpellSession.h ${_src}/options/spelling/Inflate.h)
# The word list's unpacker: any bytes, and zlib's own streams of them.
pagewick_fuzz(inflate_fuzz InflateFuzz.ShortRun 4096 ${_src}/tests/fuzz/inflate_corpus
  SOURCES ${_src}/tests/fuzz/inflate_fuzz.cpp ${_src}/options/spelling/Inflate.cpp
  HEADERS ${_src}/options/spelling/Inflate.h
  LIBS -lz)
# The Live Update configuration reader.
pagewick_fuzz(update_config_fuzz UpdateConfigFuzz.ShortRun 512 ${_src}/tests/fuzz/update_corpus
  SOURCES ${_src}/tests/fuzz/update_config_fuzz.cpp ${_src}/update/UpdateConfig.cpp
          ${_src}/update/UpdateSignature.cpp
  HEADERS ${_src}/update/UpdateConfig.h ${_src}/update/UpdateSignature.h ${_src}/platform/downloads.h)
# The Open... reader (the text a file's bytes give, and its measure against the note's limits).
pagewick_fuzz(open_fuzz OpenFuzz.ShortRun 4096 ${_src}/tests/fuzz/corpus-open
  SOURCES ${_src}/tests/fuzz/open_fuzz.cpp ${_src}/editor/OpenText.cpp ${_src}/storage/NoteEncoding.cpp
          ${_src}/platform/TextCodec.cpp ${_src}/storage/NoteLimits.cpp
  HEADERS ${_src}/editor/FileCommands.h ${_src}/storage/NoteLimits.h ${_src}/storage/NoteEncoding.h
          ${_src}/platform/TextCodec.h)
