# signs_ship(<target>): a program as it is shipped and run. Its debug
# information moves to "<program>.exe.debug" beside it, linked by name, so
# that the program file stays small (the loader maps all of it) and a
# debugger still finds everything. Test executables keep theirs inside.
function(signs_ship target)
  if(NOT WIN32_BUILD)
    return()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE_NAME:${target}>
            $<TARGET_FILE_NAME:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-debug
            --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug
            $<TARGET_FILE_NAME:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    COMMENT "Moving the debug information of ${target} beside it"
    VERBATIM)
endfunction()
