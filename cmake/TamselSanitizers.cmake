# Checked builds.
#  TAMSEL_SANITIZE: everything built with AddressSanitizer and UndefinedBehaviorSanitizer, and
#    the first finding ends the program (scripts/test.sh --sanitize).
#  TAMSEL_FUZZ: the libFuzzer targets of tests/fuzz (clang only, scripts/fuzz.sh); implies the
#    sanitizers.
option(TAMSEL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(TAMSEL_FUZZ "Build the libFuzzer targets in tests/fuzz (clang)" OFF)

if(TAMSEL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TAMSEL_FUZZ needs clang (cmake -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)")
  endif()
  set(TAMSEL_SANITIZE ON)
  # Every object can be linked into a fuzzer; only the targets bring the fuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(TAMSEL_SANITIZE)
  set(TAMSEL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${TAMSEL_SANITIZER_FLAGS})
  add_link_options(${TAMSEL_SANITIZER_FLAGS})
endif()
