# The Windows build's libraries and options (included by the top-level
# CMakeLists.txt when cross-compiling; see cmake/mingw-w64-x86_64.cmake).
#
#   TARNWICK_WINDOWS_DEPS  the prefix scripts/windows-deps installed GLFW and
#                          libepoxy into (static libraries and headers)
#   TARNWICK_HOST_BUILD    a configured Linux build tree: its asset tools make
#                          the files the resource script embeds
set(TARNWICK_WINDOWS_DEPS "${CMAKE_BINARY_DIR}/deps/prefix" CACHE PATH
    "Prefix of the MinGW builds of GLFW and libepoxy (scripts/windows-deps)")
set(TARNWICK_HOST_BUILD "${CMAKE_SOURCE_DIR}/build" CACHE PATH
    "Linux build tree whose asset tools make the resources")

foreach(library glfw3 epoxy)
    if(NOT EXISTS "${TARNWICK_WINDOWS_DEPS}/lib/lib${library}.a")
        message(FATAL_ERROR "lib${library}.a is not in ${TARNWICK_WINDOWS_DEPS}/lib: run scripts/windows-deps first (make windows does)")
    endif()
endforeach()
if(NOT EXISTS "${TARNWICK_HOST_BUILD}/CMakeCache.txt")
    message(FATAL_ERROR "${TARNWICK_HOST_BUILD} is no configured Linux build tree (make configure makes one)")
endif()

# The same target names as the Linux build's packages, so that the subsystems
# link them alike.
add_library(PkgConfig::GLFW INTERFACE IMPORTED)
set_target_properties(PkgConfig::GLFW PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${TARNWICK_WINDOWS_DEPS}/include"
    INTERFACE_LINK_LIBRARIES "${TARNWICK_WINDOWS_DEPS}/lib/libglfw3.a;gdi32;opengl32")
add_library(PkgConfig::EPOXY INTERFACE IMPORTED)
set_target_properties(PkgConfig::EPOXY PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${TARNWICK_WINDOWS_DEPS}/include"
    # A static libepoxy: its functions are no DLL imports.
    INTERFACE_COMPILE_DEFINITIONS "EPOXY_PUBLIC=extern"
    INTERFACE_LINK_LIBRARIES "${TARNWICK_WINDOWS_DEPS}/lib/libepoxy.a;opengl32")

# Only the ANSI entry points are called by name; localtime_r is declared by
# MinGW's time.h only when asked for.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _POSIX_THREAD_SAFE_FUNCTIONS)
# One program file that needs no DLL beside the system's own: the C++ runtime,
# libgcc and the POSIX-thread library are linked in.
add_link_options(-static -static-libgcc -static-libstdc++)
