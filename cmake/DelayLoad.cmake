# Delay-loaded system DLLs: the program imports shell32 and ole32 (special folders, shortcuts,
# opening files) only for what some modes do, yet their import entries had them, and what they
# pull in (combase, rpcrt4, shcore), loaded at every start; comctl32 (the dialogs' controls)
# takes Wine almost half a second to load, which the lock screen, a window without controls,
# need not wait for. Linked through a delay import library
# made by dlltool from cmake/delayload/<dll>.def, a DLL is loaded at its first call instead.
# The .def lists the functions the program calls with their argument bytes: 32-bit code calls
# `_SHGetMalloc@4`, which the delay library must define while the loader looks up the bare
# name (dlltool's --kill-at); 64-bit code calls the bare name, so the bytes are dropped there.
# A function missing from the .def is simply imported the ordinary way.
function(velmora_delay_load target)
  find_program(VELMORA_DLLTOOL NAMES ${VELMORA_TRIPLET}-dlltool)
  if(NOT VELMORA_DLLTOOL)
    return()
  endif()
  foreach(dll IN LISTS ARGN)
    set(source ${CMAKE_SOURCE_DIR}/cmake/delayload/${dll}.def)
    set(library ${CMAKE_CURRENT_BINARY_DIR}/lib${dll}_delay.a)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      set(def ${source})
      set(decoration --kill-at)
    else()
      set(def ${CMAKE_CURRENT_BINARY_DIR}/${dll}_delay.def)
      file(READ ${source} exports)
      string(REGEX REPLACE "@[0-9]+" "" exports "${exports}")
      file(WRITE ${def} "${exports}")
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
      set(decoration "")
    endif()
    add_custom_command(OUTPUT ${library}
      COMMAND ${VELMORA_DLLTOOL} --input-def ${def} ${decoration} --output-delaylib ${library}
      DEPENDS ${def}
      VERBATIM)
    add_custom_target(${target}_${dll}_delay DEPENDS ${library})
    add_dependencies(${target} ${target}_${dll}_delay)
    # Taken whole and first, so that its entries stand before the ordinary import library's.
    target_link_libraries(${target} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${library}>")
  endforeach()
endfunction()
