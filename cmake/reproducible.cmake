# The same sources give the same Quillmont.exe, byte for byte, whenever and
# wherever they are built. What would differ otherwise:
#  - the time in the image's header, which the linker and objcopy write: they take
#    SOURCE_DATE_EPOCH instead, from the environment when it sets one (the release
#    script does), else the time of the last commit, else the time CMakeLists.txt
#    was last changed (a copy of the sources without git);
#  - the build's folders, which __FILE__ and the like would carry: they are cut
#    off, so paths come out relative to the checkout.
# The resource compiler writes no times (its directories say 0).
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(QUILLMONT_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  find_program(QUILLMONT_GIT git)
  if(QUILLMONT_GIT)
    # (safe.directory: a checkout owned by another user, as under CI, is still read.)
    execute_process(COMMAND ${QUILLMONT_GIT} -c safe.directory=* log -1 --format=%ct
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE QUILLMONT_SOURCE_DATE_EPOCH
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  if(NOT QUILLMONT_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    file(TIMESTAMP ${PROJECT_SOURCE_DIR}/CMakeLists.txt QUILLMONT_SOURCE_DATE_EPOCH "%s" UTC)
  endif()
endif()
# A command prefix that runs a tool with that time.
set(QUILLMONT_AT_SOURCE_DATE ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${QUILLMONT_SOURCE_DATE_EPOCH})

if(WIN32 AND NOT MSVC)
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/= -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
endif()
