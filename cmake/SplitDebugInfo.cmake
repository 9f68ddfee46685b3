# Builds that carry debug information (RelWithDebInfo, Debug) ship the program stripped as the
# release is, with its debug information kept beside it in <file>.debug (linked by
# .gnu_debuglink, so debuggers still find it): Windows maps a PE's debug sections in at start,
# which the run build paid for in start-up time and memory.
function(velmora_split_debug_info target)
  if(NOT CMAKE_BUILD_TYPE MATCHES "^(RelWithDebInfo|Debug)$" OR NOT CMAKE_OBJCOPY)
    return()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE_NAME:${target}> $<TARGET_FILE_NAME:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug
            $<TARGET_FILE_NAME:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
