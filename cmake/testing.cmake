# GoogleTest from Debian's sources, built by each preset.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# signs_test(<name> SOURCES ... [LIBS ...] [LABELS ...] [RESOURCE_LOCK ...])
# One test executable, run by CTest as one test (through Wine in the
# Windows build). Its full output (every case started) is kept, so that a
# failure names the case even when the program crashes or hangs;
# scripts/failed-cases picks the failed cases out of CTest's output.
function(signs_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS;RESOURCE_LOCK" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  signs_warnings(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
  if(T_RESOURCE_LOCK)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${T_RESOURCE_LOCK}")
  endif()
endfunction()

# signs_fuzz(<name> SOURCES ... [LIBS ...] [CORPUS dir] [SEEDS source]
#            [SEED_LIBS ...] [SEED_INPUTS file...]): a libFuzzer target, native
# build with clang only, and a CTest test of the same name (label "fuzz")
# that runs it over its seeds for SIGNS_FUZZ_SECONDS (scripts/fuzz-target).
# CORPUS names a folder of seed inputs in the source tree; SEEDS a program
# that writes seed inputs into the folder given as its first argument (a
# .py file runs with python3, anything else is built with LIBS and
# SEED_LIBS), run at build time with the SEED_INPUTS files after the folder.
function(signs_fuzz name)
  cmake_parse_arguments(F "" "CORPUS;SEEDS" "SOURCES;LIBS;SEED_LIBS;SEED_INPUTS" ${ARGN})
  if(WIN32_BUILD OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    return()
  endif()
  add_executable(${name} ${F_SOURCES})
  signs_warnings(${name})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS})

  set(seed_dirs)
  if(F_CORPUS)
    list(APPEND seed_dirs ${CMAKE_CURRENT_SOURCE_DIR}/${F_CORPUS})
  endif()
  if(F_SEEDS)
    set(out ${CMAKE_BINARY_DIR}/fuzz-seeds/${name})
    if(F_SEEDS MATCHES "\\.py$")
      find_package(Python3 REQUIRED COMPONENTS Interpreter)
      set(generator ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/${F_SEEDS})
      set(generator_depends ${CMAKE_CURRENT_SOURCE_DIR}/${F_SEEDS})
    else()
      add_executable(${name}_seeds ${F_SEEDS})
      signs_warnings(${name}_seeds)
      target_link_libraries(${name}_seeds PRIVATE ${F_LIBS} ${F_SEED_LIBS})
      set(generator ${name}_seeds)
      set(generator_depends ${name}_seeds)
    endif()
    add_custom_command(OUTPUT ${out}.stamp
      COMMAND ${CMAKE_COMMAND} -E rm -rf ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
      COMMAND ${generator} ${out} ${F_SEED_INPUTS}
      COMMAND ${CMAKE_COMMAND} -E touch ${out}.stamp
      DEPENDS ${generator_depends} ${F_SEED_INPUTS}
      COMMENT "Seed inputs of ${name}"
      VERBATIM)
    add_custom_target(${name}_seed_inputs ALL DEPENDS ${out}.stamp)
    add_dependencies(${name} ${name}_seed_inputs)
    list(APPEND seed_dirs ${out})
  endif()

  add_test(NAME ${name}
    COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fuzz-target $<TARGET_FILE:${name}>
      ${CMAKE_BINARY_DIR}/fuzz-work/${name} ${seed_dirs})
  set_tests_properties(${name} PROPERTIES LABELS fuzz)
  string(REPLACE ";" "\t" dirs_text "${seed_dirs}")
  set_property(GLOBAL APPEND PROPERTY SIGNS_FUZZ_TARGETS
    "${name}\t$<TARGET_FILE:${name}>\t${dirs_text}")
endfunction()

# Lists the fuzz targets for scripts/fuzz once every folder has added its
# own: a line each, tab-separated: name, executable, seed folders.
function(signs_write_fuzz_list)
  get_property(lines GLOBAL PROPERTY SIGNS_FUZZ_TARGETS)
  string(REPLACE ";" "\n" text "${lines}")
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/fuzz-targets.txt CONTENT "${text}\n")
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
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/with-signsim ${port_args} -- $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "com_ports;desktop" LABELS wine-e2e)
endfunction()

# signs_operator_tests(<program> [LIBS ...]): a program's end-to-end
# pieces (Windows build): the library <program>_operator of
# tests/operator.cpp that drives the real program (with LIBS), the test
# <program>_e2e_tests of tests/e2e_test.cpp against a sign stand-in on
# COM1 (the program's path in <PROGRAM>_EXE), and <program>_session of
# tests/session.cpp, the main job's scripted session (scripts/run).
function(signs_operator_tests program)
  cmake_parse_arguments(O "" "" "LIBS" ${ARGN})
  add_library(${program}_operator STATIC tests/operator.cpp)
  target_link_libraries(${program}_operator PUBLIC windrive ${O_LIBS})
  signs_warnings(${program}_operator)

  signs_sim_test(${program}_e2e_tests PORTS 1
    SOURCES tests/e2e_test.cpp
    LIBS ${program}_operator)
  string(TOUPPER ${program} upper)
  target_compile_definitions(${program}_e2e_tests PRIVATE ${upper}_EXE="$<TARGET_FILE:${program}>")
  add_dependencies(${program}_e2e_tests ${program})

  add_executable(${program}_session tests/session.cpp)
  target_link_libraries(${program}_session PRIVATE ${program}_operator)
  signs_warnings(${program}_session)
  add_dependencies(${program}_session ${program})
endfunction()
