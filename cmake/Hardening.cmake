# The hardening Debian builds its packages with (dpkg-buildflags with hardening=+all):
# fortified libc calls, a stack protector, format-string checks, a read-only relocation
# table bound at start, and position-independent executables. Unix only: MinGW's linker
# and runtime know neither the -z options nor, without libssp, the stack protector.
option(KORVO_HARDENING "Build with Debian's hardening flags (gcc or clang on Unix)" ON)
if(KORVO_HARDENING AND UNIX)
    include(CheckPIESupported)
    check_pie_supported()
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
    # Fortification needs the optimiser, and under the sanitizers it only hides their
    # own checks of the same calls.
    if(NOT KORVO_SANITIZE)
        add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    endif()
    if(NOT APPLE)
        add_link_options(-Wl,-z,relro -Wl,-z,now)
    endif()
endif()
