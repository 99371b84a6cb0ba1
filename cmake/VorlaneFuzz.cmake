# VORLANE_FUZZ: the libFuzzer programs of tests/fuzz, one per target. Only a
# compiler that links -fsanitize=fuzzer builds them (clang, configured with
# CC=clang CXX=clang++); then every target is compiled with libFuzzer's
# coverage, AddressSanitizer and UndefinedBehaviorSanitizer. Qt is not
# instrumented. tests/fuzz/README.md tells how to run them.
option(VORLANE_FUZZ "Build the libFuzzer programs of tests/fuzz (clang)" OFF)

set(VORLANE_FUZZERS OFF)
if(VORLANE_FUZZ)
  include(CheckCXXSourceCompiles)
  set(CMAKE_REQUIRED_FLAGS -fsanitize=fuzzer)
  set(CMAKE_REQUIRED_LINK_OPTIONS -fsanitize=fuzzer)
  check_cxx_source_compiles(
    "extern \"C\" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }"
    VORLANE_HAVE_LIBFUZZER)
  unset(CMAKE_REQUIRED_FLAGS)
  unset(CMAKE_REQUIRED_LINK_OPTIONS)
  if(VORLANE_HAVE_LIBFUZZER)
    set(VORLANE_FUZZERS ON)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  else()
    message(WARNING "VORLANE_FUZZ: ${CMAKE_CXX_COMPILER_ID} does not link -fsanitize=fuzzer; "
                    "configure with CC=clang CXX=clang++ for the fuzz programs. "
                    "The replay test of tests/fuzz is built either way.")
  endif()
endif()
