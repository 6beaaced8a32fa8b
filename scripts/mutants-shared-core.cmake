# Included by the build of scripts/mutants.sh: the core becomes a shared library that the
# programs do not relink against, so a mutant costs one link instead of one per test program.
set(CMAKE_LINK_DEPENDS_NO_SHARED ON)

function(add_library name)
    if(name STREQUAL "zr415core" AND ARGC EQUAL 2 AND ARGV1 STREQUAL "STATIC")
        _add_library(zr415core SHARED)
    else()
        _add_library(${ARGV})
    endif()
endfunction()
