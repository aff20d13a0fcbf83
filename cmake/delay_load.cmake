# quillmont_delay_load(TARGET DLL...): links TARGET against delay-load import
# libraries of the DLLs, made with dlltool from src/win32/delay_load/DLL.def
# (the functions the program uses; a new one is added there). A delay-loaded
# DLL is loaded by the first call into it. Elsewhere (MSVC, native builds) the
# DLLs are linked as usual.
function(quillmont_delay_load target)
  if(NOT MINGW OR NOT CMAKE_DLLTOOL)
    target_link_libraries(${target} PUBLIC ${ARGN})
    return()
  endif()
  set(folder ${PROJECT_BINARY_DIR}/delay_load)
  file(MAKE_DIRECTORY ${folder})
  foreach(dll IN LISTS ARGN)
    set(definition ${PROJECT_SOURCE_DIR}/src/win32/delay_load/${dll}.def)
    set(library ${folder}/lib${dll}_delay.a)
    # dlltool names the library's symbols after the path it is given, so that
    # path is relative: the same symbols in every build folder.
    add_custom_command(OUTPUT ${library}
      COMMAND ${CMAKE_DLLTOOL} --input-def ${definition} --output-delaylib lib${dll}_delay.a
      WORKING_DIRECTORY ${folder}
      DEPENDS ${definition}
      COMMENT "delay-load import library for ${dll}.dll"
      VERBATIM)
    list(APPEND libraries ${library})
  endforeach()
  add_custom_target(${target}_delay_libraries DEPENDS ${libraries})
  add_dependencies(${target} ${target}_delay_libraries)
  target_link_libraries(${target} PUBLIC ${libraries} delayimp)
endfunction()
