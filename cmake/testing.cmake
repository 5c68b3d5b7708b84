# GoogleTest from Debian's sources, built by each preset.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# signs_test(<name> SOURCES ... [LIBS ...] [LABELS ...] [RESOURCE_LOCK ...])
# One test executable, run by CTest as one test (through Wine in the
# Windows build).
function(signs_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS;RESOURCE_LOCK" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  signs_warnings(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
  if(T_RESOURCE_LOCK)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${T_RESOURCE_LOCK}")
  endif()
endfunction()

# signs_fuzz(<name> SOURCES ... [LIBS ...]): a libFuzzer target, native
# build with clang only. scripts/test runs each for a short fixed time.
# CORPUS names a folder of seed inputs in the source tree.
function(signs_fuzz name)
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(WIN32_BUILD OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    return()
  endif()
  add_executable(${name} ${F_SOURCES})
  signs_warnings(${name})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  set_property(GLOBAL APPEND PROPERTY SIGNS_FUZZ_TARGETS ${name})
  if(F_CORPUS)
    file(WRITE ${CMAKE_BINARY_DIR}/${name}.corpus ${CMAKE_CURRENT_SOURCE_DIR}/${F_CORPUS})
  endif()
endfunction()

# Lists the fuzz targets for scripts/test once every folder has added its own.
function(signs_write_fuzz_list)
  get_property(targets GLOBAL PROPERTY SIGNS_FUZZ_TARGETS)
  string(REPLACE ";" "\n" lines "${targets}")
  file(WRITE ${CMAKE_BINARY_DIR}/fuzz-targets.txt "${lines}\n")
endfunction()

# signs_sim_test(<name> PORTS n... SOURCES ... [LIBS ...]): a Windows test
# that runs beside sign stand-ins on the given COM ports of the Wine harness
# (scripts/with-signsim). These tests share the harness's ports, so they run
# one at a time.
function(signs_sim_test name)
  cmake_parse_arguments(S "" "" "PORTS;SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${S_SOURCES})
  signs_warnings(${name})
  target_link_libraries(${name} PRIVATE ${S_LIBS} windrive GTest::gmock GTest::gtest_main)
  set(port_args)
  foreach(p IN LISTS S_PORTS)
    list(APPEND port_args --port ${p})
  endforeach()
  add_test(NAME ${name}
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/with-signsim ${port_args} -- $<TARGET_FILE:${name}> --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "com_ports;desktop" LABELS wine-e2e)
endfunction()
