# The project's own warning policy, carried by one interface target that every
# library, executable, test, benchmark and fuzz target of this tree links.
# Code from elsewhere (GoogleTest, Google Benchmark, Qt) never links it, so a
# new compiler's warnings in their headers or sources cannot break our build.

option(ORVANTA_WERROR "Treat warnings in the project's own code as errors" ON)

add_library(orvanta_warnings INTERFACE)
target_compile_options(orvanta_warnings INTERFACE -Wall -Wextra $<$<BOOL:${ORVANTA_WERROR}>:-Werror>)

# Fails the configure step when a target of the given directories (and those
# below them) does not link orvanta_warnings: a forgotten target would
# otherwise escape the policy without anyone noticing.
function(orvanta_check_warnings)
    set(dirs ${ARGN})
    while(dirs)
        list(POP_FRONT dirs dir)
        get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
        list(APPEND dirs ${subdirs})
        get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target ${targets})
            get_target_property(type ${target} TYPE)
            if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
                get_target_property(libs ${target} LINK_LIBRARIES)
                if(NOT "orvanta_warnings" IN_LIST libs)
                    message(FATAL_ERROR "${target} (${dir}) does not link orvanta_warnings")
                endif()
            endif()
        endforeach()
    endwhile()
endfunction()
