# Warnings and sanitizers, guarded so that MSVC can build the same project.
function(quillmont_set_options target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive- /utf-8)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
    if(WIN32)
      target_compile_definitions(${target} PRIVATE UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
    endif()
  endif()
endfunction()

# Statically linked Windows programs: only system DLLs may be imported.
# WIDE_ENTRY: the program starts at wWinMain rather than main.
function(quillmont_windows_program target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "WIDE_ENTRY" "" "")
  if(MINGW)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    if(arg_WIDE_ENTRY)
      target_link_options(${target} PRIVATE -municode)
    endif()
  endif()
endfunction()

if(QUILLMONT_SANITIZE AND NOT MSVC)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
