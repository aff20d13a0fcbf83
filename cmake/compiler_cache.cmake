# A compiler cache when the machine has ccache: a second build of the same
# sources, in this folder or in another clone, takes its objects from the cache.
# Paths below the source folder are made relative and the build folder is left out
# of the key, so that clones in different folders share the cache; warnings are
# cached with the object and shown again on a hit.
find_program(QUILLMONT_CCACHE ccache)
find_program(QUILLMONT_ENV env)
if(QUILLMONT_CCACHE AND QUILLMONT_ENV AND NOT CMAKE_CXX_COMPILER_LAUNCHER AND NOT MSVC)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${QUILLMONT_ENV} CCACHE_BASEDIR=${PROJECT_SOURCE_DIR} CCACHE_NOHASHDIR=true
      ${QUILLMONT_CCACHE})
endif()
