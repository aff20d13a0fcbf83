# Warnings and sanitizers, guarded so that MSVC can build the same project.
# The oldest Windows the program runs on is Windows 7 SP1: the headers declare
# nothing newer, so a newer function fails to compile unless it is looked up at
# run time (src/win32/platform/newer_windows.h, with a fallback).
set(QUILLMONT_WINDOWS_DEFINITIONS UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601 WINVER=0x0601)
function(quillmont_set_options target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive- /utf-8)
    target_compile_definitions(${target} PRIVATE ${QUILLMONT_WINDOWS_DEFINITIONS})
    if(QUILLMONT_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
    if(WIN32)
      target_compile_definitions(${target} PRIVATE ${QUILLMONT_WINDOWS_DEFINITIONS})
    endif()
    # GCC 12 warns inside its own standard library when it inlines the copies of
    # std::vector and std::basic_string at -O2 (bits/stl_algobase.h and
    # bits/char_traits.h: memcpy and memmove "out of bounds", "may overlap",
    # "writing into" or "reading from a region of size 0"), for sizes that no path
    # can reach. Only these four, and only for GCC 12.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
       AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-restrict -Wno-stringop-overflow
        -Wno-stringop-overread)
    endif()
    if(QUILLMONT_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
endfunction()

# Statically linked Windows programs: only system DLLs may be imported.
# WIDE_ENTRY: the program starts at wWinMain rather than main.
function(quillmont_windows_program target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "WIDE_ENTRY" "" "")
  if(MSVC)
    # The manifest comes from the resource script; the linker must not add its own.
    target_link_options(${target} PRIVATE /MANIFEST:NO)
    set_property(TARGET ${target} PROPERTY MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
    if(arg_WIDE_ENTRY)
      target_link_options(${target} PRIVATE /ENTRY:wWinMainCRTStartup)
    endif()
  elseif(MINGW)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    if(arg_WIDE_ENTRY)
      target_link_options(${target} PRIVATE -municode)
    endif()
  endif()
endfunction()

# The shipped program carries no symbols: after the link they move to NAME.debug
# beside it (the function names, enough to name a crash's addresses with nm or
# gdb, which finds the file through the debug link). The linker and objcopy stamp
# it with the sources' time (cmake/reproducible.cmake), not the build's.
function(quillmont_ship_stripped target)
  if(NOT MINGW OR NOT CMAKE_OBJCOPY)
    return()
  endif()
  set_property(TARGET ${target} PROPERTY CXX_LINKER_LAUNCHER ${QUILLMONT_AT_SOURCE_DATE})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${QUILLMONT_AT_SOURCE_DATE} ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}>
            $<TARGET_FILE:${target}>.debug
    COMMAND ${QUILLMONT_AT_SOURCE_DATE} ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug
            $<TARGET_FILE:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()

if(QUILLMONT_SANITIZE AND NOT MSVC)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
