# Debian's hardening flags (what dpkg-buildflags gives on Debian 12 with hardening=+all)
# for the optimised builds, so the program and the package built from this tree are
# hardened like any Debian package: fortified libc calls, stack protector, format
# checks, position-independent executables, and a read-only GOT bound at start-up.
#
# Debug builds keep only PIE: _FORTIFY_SOURCE needs optimisation. The fuzz build gets
# none of it, since the sanitizers replace the fortified calls with their own checks.
# Include this before any target is made.
include(CheckPIESupported)

set(CMAKE_POSITION_INDEPENDENT_CODE ON)
check_pie_supported(LANGUAGES CXX)

if(NOT LEXMORA_FUZZ)
  set(optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
  # A compiler that already defines _FORTIFY_SOURCE (as some distributions' do) would
  # warn about the redefinition, and warnings may be errors.
  add_compile_options($<${optimised}:-U_FORTIFY_SOURCE> $<${optimised}:-D_FORTIFY_SOURCE=2>
                      $<${optimised}:-fstack-protector-strong> $<${optimised}:-Wformat>
                      $<${optimised}:-Werror=format-security>)
  add_link_options($<${optimised}:LINKER:-z,relro> $<${optimised}:LINKER:-z,now>)
endif()
