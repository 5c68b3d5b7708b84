# Warnings for the project's own targets (not for GoogleTest or other
# third-party code), as errors unless SIGNS_WERROR is switched off (for
# trying a newer compiler, say).
option(SIGNS_WERROR "Treat warnings in the project's own code as errors" ON)
function(signs_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
    -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough
    -Wdangling-else
    # GCC 12 reports false overlaps inside std::string (its bug 105329).
    $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
  if(SIGNS_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

if(NOT WIN32_BUILD AND SIGNS_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  # Coverage for the fuzz targets in every library they link.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endif()

if(WIN32_BUILD)
  # One self-contained .exe: no MinGW runtime DLLs to ship or to find under Wine.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()
