# The programs read response and CSV files from anywhere, so they are built hardened as Debian
# builds its packages: a strong stack protector, fortified library calls, a position-independent
# program and a relocation table made read-only at start (relro, now), and where the compiler has
# them stack-clash and control-flow protection. The flags are those
# dpkg-buildflags gives with every hardening feature on, taken where it is installed; elsewhere
# the same flags by hand. The build type sets the optimisation and the debugging information, and
# the build's folder stays out of the flags so that every work tree shares one compiler cache.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

set(ACV_HARDENING_COMPILE -fstack-protector-strong -Wformat -Werror=format-security)
set(ACV_HARDENING_DEFINES -D_FORTIFY_SOURCE=2)
set(ACV_HARDENING_LINK -Wl,-z,relro -Wl,-z,now)
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(DPKG_BUILDFLAGS)
  foreach(kind CXXFLAGS CPPFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${DPKG_BUILDFLAGS}
              --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^(-g|-O[0-9s]?|-ffile-prefix-map=.*)$")
    set(ACV_DPKG_${kind} ${flags})
  endforeach()
  set(ACV_HARDENING_COMPILE ${ACV_DPKG_CXXFLAGS})
  set(ACV_HARDENING_DEFINES ${ACV_DPKG_CPPFLAGS})
  set(ACV_HARDENING_LINK ${ACV_DPKG_LDFLAGS})
endif()
# Newer Debian releases add these two as well: probes of a stack that grows into other memory,
# and marks of where an indirect jump may land (control-flow protection), where the compiler
# has them.
include(CheckCXXCompilerFlag)
foreach(flag -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "ACV_HAS${flag}" known)
  check_cxx_compiler_flag(${flag} ${known})
  if(${known} AND NOT flag IN_LIST ACV_HARDENING_COMPILE)
    list(APPEND ACV_HARDENING_COMPILE ${flag})
  endif()
endforeach()
add_compile_options(${ACV_HARDENING_COMPILE})
# Fortified calls need the optimiser: a debug build goes without.
foreach(flag ${ACV_HARDENING_DEFINES})
  add_compile_options("$<$<NOT:$<CONFIG:Debug>>:${flag}>")
endforeach()
add_link_options(${ACV_HARDENING_LINK})
