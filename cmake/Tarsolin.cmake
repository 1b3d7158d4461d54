# Shared build settings for the project's own targets.

set(TARSOLIN_WARNINGS -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)

function(tarsolin_target tgt)
  target_compile_options(${tgt} PRIVATE ${TARSOLIN_WARNINGS})
  # STB_GNU_UNIQUE symbols (template statics, Qt meta-types) would pin a
  # loadable module after dlclose, carrying its statics from one call to the
  # next; the static libraries the modules link need the flag as well. Clang
  # never emits such symbols and has no such flag.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${tgt} PRIVATE -fno-gnu-unique)
  endif()
  set(sanitizers)
  if(TARSOLIN_ASAN)
    list(APPEND sanitizers address)
  endif()
  if(TARSOLIN_UBSAN)
    list(APPEND sanitizers undefined)
  endif()
  if(sanitizers)
    list(JOIN sanitizers "," lista)
    target_compile_options(${tgt} PRIVATE -fsanitize=${lista} -fno-omit-frame-pointer)
    target_link_options(${tgt} PRIVATE -fsanitize=${lista})
    if(TARSOLIN_UBSAN)
      # Undefined behaviour ends the run, so a test that meets it fails.
      target_compile_options(${tgt} PRIVATE -fno-sanitize-recover=undefined)
    endif()
  endif()
  if(TARSOLIN_FUZZ)
    # Coverage for the fuzzer in everything the fuzz target links.
    target_compile_options(${tgt} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()

# A target that includes Qt headers gets the shared precompiled header. The
# header is compiled once per kind of target (loadable modules hide their
# symbols, the rest do not; Qt makes every target -fPIC) and every target of
# that kind reuses it; one copy per target would cost ~300 MB and ~20 s each.
function(tarsolin_pch_host kind)
  set(host tarsolin_pch_${kind})
  if(TARGET ${host})
    return()
  endif()
  set(src ${PROJECT_BINARY_DIR}/pch_host_${kind}.cpp)
  if(NOT EXISTS ${src})
    file(WRITE ${src} "int tarsolin_pch_host_${kind}() { return 0; }\n")
  endif()
  add_library(${host} OBJECT ${src})
  set_target_properties(${host} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  if(kind STREQUAL "module")
    set_target_properties(${host} PROPERTIES
      CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  endif()
  target_link_libraries(${host} PRIVATE Qt6::Widgets)
  tarsolin_target(${host})
  target_precompile_headers(${host} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/pch_qt.h)
endfunction()

function(tarsolin_qt_target tgt)
  tarsolin_target(${tgt})
  get_target_property(type ${tgt} TYPE)
  get_target_property(visibilidade ${tgt} CXX_VISIBILITY_PRESET)
  # clang refuses a precompiled header built with another default visibility:
  # a library that hides its symbols takes the modules' header there.
  if(type STREQUAL "MODULE_LIBRARY" OR (CMAKE_CXX_COMPILER_ID MATCHES "Clang" AND visibilidade STREQUAL "hidden"))
    set(kind module)
  else()
    set(kind code)
  endif()
  tarsolin_pch_host(${kind})
  target_precompile_headers(${tgt} REUSE_FROM tarsolin_pch_${kind})
endfunction()

# A loadable module: no lib prefix, hidden symbols, one exported C function.
function(tarsolin_module tgt)
  add_library(${tgt} MODULE ${ARGN})
  set_target_properties(${tgt} PROPERTIES PREFIX "" SUFFIX ".so"
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_link_options(${tgt} PRIVATE -Wl,--no-undefined)
  tarsolin_qt_target(${tgt})
endfunction()

# One GoogleTest executable per folder under tests/, all its *.cpp files.
# With QT_APP first among the libraries, the tests run inside one QApplication.
function(tarsolin_test_folder name)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(libs ${ARGN})
  if(libs AND "${ARGV1}" STREQUAL "QT_APP")
    list(REMOVE_AT libs 0)
    list(APPEND srcs ${PROJECT_SOURCE_DIR}/tests/support/AmbienteQt.cpp)
  endif()
  add_executable(${name}_tests ${srcs})
  target_link_libraries(${name}_tests PRIVATE ${libs} GTest::gtest GTest::gmock GTest::gtest_main Qt6::Test)
  tarsolin_qt_target(${name}_tests)
  target_compile_definitions(${name}_tests PRIVATE TARSOLIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name}_tests
    WORKING_DIRECTORY ${TARSOLIN_BIN_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" DISCOVERY_TIMEOUT 60)
endfunction()
