# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The hardening a Linux distribution asks of the programs it ships, for the
# package build (scripts/package): checked buffer functions, stack
# protection, a position-independent executable and read-only relocations
# bound at start-up.
option(KEYLOOM_HARDENED "Build with the hardening flags of a Linux package" OFF)
if(KEYLOOM_HARDENED AND NOT WIN32)
    include(CheckCXXSourceCompiles)
    include(CheckPIESupported)

    # Some toolchains define _FORTIFY_SOURCE themselves when optimising;
    # defining it again would clash with theirs.
    set(CMAKE_REQUIRED_FLAGS -O2)
    check_cxx_source_compiles("
        #ifndef _FORTIFY_SOURCE
        #error _FORTIFY_SOURCE is not set
        #endif
        int main() { return 0; }" KEYLOOM_TOOLCHAIN_FORTIFIES)
    unset(CMAKE_REQUIRED_FLAGS)
    if(NOT KEYLOOM_TOOLCHAIN_FORTIFIES)
        add_compile_definitions(_FORTIFY_SOURCE=2)
    endif()

    add_compile_options(-fstack-protector-strong)
    check_pie_supported(LANGUAGES CXX)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    add_link_options(LINKER:-z,relro,-z,now)
endif()
