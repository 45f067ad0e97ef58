# Debian's hardening flags, as dpkg-buildflags gives them with every hardening
# feature on: fortified functions, stack protector, format checks, relro and
# immediate binding, PIE. The build's own optimisation and debug flags stay
# as they are; fortification needs optimisation, so Debug builds go without.
# Sanitizer and fuzzing builds go without as well (they replace the same
# functions), and so does a build with -DORVANTA_HARDENING=OFF. The flags are
# Debian's for ELF: a cross build for Windows (MinGW's linker knows no -z) goes
# without as well.

option(ORVANTA_HARDENING "Build with Debian's hardening flags (dpkg-buildflags)" ON)
# Whether they are in: the package check expects lintian's hardening tags gone only then.
set(ORVANTA_HARDENED OFF)
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT ORVANTA_HARDENING OR NOT DPKG_BUILDFLAGS OR ORVANTA_FUZZ OR WIN32
   OR CMAKE_CXX_FLAGS MATCHES "-fsanitize")
    return()
endif()

# One list of flags from dpkg-buildflags; -g, -O... and the build path map
# are the build type's business, not hardening.
function(orvanta_dpkg_buildflags kind out)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            ${DPKG_BUILDFLAGS} --get ${kind}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        set(${out} "" PARENT_SCOPE)
        return()
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-g|^-O|^-ffile-prefix-map=")
    set(${out} ${flags} PARENT_SCOPE)
endfunction()

orvanta_dpkg_buildflags(CPPFLAGS ORVANTA_HARDENING_CPPFLAGS)
orvanta_dpkg_buildflags(CXXFLAGS ORVANTA_HARDENING_CXXFLAGS)
orvanta_dpkg_buildflags(LDFLAGS ORVANTA_HARDENING_LDFLAGS)

set(optimised "$<NOT:$<CONFIG:Debug>>")
foreach(flag IN LISTS ORVANTA_HARDENING_CPPFLAGS ORVANTA_HARDENING_CXXFLAGS)
    add_compile_options("$<${optimised}:${flag}>")
endforeach()
foreach(flag IN LISTS ORVANTA_HARDENING_LDFLAGS)
    add_link_options("$<${optimised}:${flag}>")
endforeach()

set(ORVANTA_HARDENED ON)
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
message(STATUS "Hardening (dpkg-buildflags): ${ORVANTA_HARDENING_CPPFLAGS} "
               "${ORVANTA_HARDENING_CXXFLAGS} ${ORVANTA_HARDENING_LDFLAGS}")
