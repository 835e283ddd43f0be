# The Windows program's file details and its Windows Installer package,
# $(WINDOWS_BUILD)/tarnwick-<version>.msi, built by wixl from
# packaging/windows/tarnwick.wxs (included by the top-level CMakeLists.txt
# once the program's target exists).
find_program(TARNWICK_WIXL wixl REQUIRED)

tarnwick_file_details(tarnwick)

# sh make-msi VERSION OUT.msi: the package of the built program, as VERSION.
# The build makes the project's version; the tests make a higher one to
# upgrade to. (Run through sh: CMake 3.25 fails on generated files with
# permissions.)
set(make_msi ${CMAKE_BINARY_DIR}/make-msi)
file(GENERATE OUTPUT ${make_msi}
    CONTENT "#!/bin/sh
# Made by cmake/WindowsPackage.cmake: builds the installer package of the
# program as version $1 into the file $2. wixl takes the files' paths
# relative to the folder it runs in.
set -eu
out=$(realpath -m -- \"$2\")
cd '$<TARGET_FILE_DIR:tarnwick>'
exec '${TARNWICK_WIXL}' -a x64 -D \"Version=$1\" -D 'ScrFile=$<TARGET_FILE_NAME:tarnwick>' \\
  -D \"IconFile=$(realpath --relative-to=. '${TARNWICK_DETAILS_ICON}')\" \\
  -I '${CMAKE_BINARY_DIR}/details' -o \"$out\" '${CMAKE_SOURCE_DIR}/packaging/windows/tarnwick.wxs'
")

set(msi ${CMAKE_BINARY_DIR}/tarnwick-${PROJECT_VERSION}.msi)
add_custom_command(OUTPUT ${msi}
    COMMAND sh ${make_msi} ${PROJECT_VERSION} ${msi}
    DEPENDS tarnwick ${make_msi} ${TARNWICK_DETAILS_ICON} ${TARNWICK_DETAILS_FACTS}
            ${CMAKE_SOURCE_DIR}/packaging/windows/tarnwick.wxs
    COMMENT "Building the installer package tarnwick-${PROJECT_VERSION}.msi"
    VERBATIM)
add_custom_target(tarnwick_msi ALL DEPENDS ${msi})
