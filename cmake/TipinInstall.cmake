# Install rules and the Debian package.
#
# `cmake --install <build> [--prefix /usr]` (or `DESTDIR=<stage> cmake --install <build>`) puts
# Tipin into the GNU install directories:
#   bin/tipin, bin/tipin-pages, bin/tipin-skin
#   share/tipin/skins/                  the nine bundled skin packages
#   share/applications/io.github.tipin.Tipin.desktop
#   share/metainfo/io.github.tipin.Tipin.metainfo.xml
#   share/icons/hicolor/<N>x<N>/apps/tipin.png, share/icons/hicolor/scalable/apps/tipin.svg
#   share/man/man1/tipin.1.gz, tipin-pages.1.gz, tipin-skin.1.gz
#   share/doc/tipin/copyright, share/doc/tipin/changelog.gz
# `cpack -G DEB` in a build folder then makes tipin_<version>_<arch>.deb of the same tree.
#
# The program `tipin` is installed by `tipin_install_program(tipin)`. It is called by itself at
# the end of the top-level CMakeLists.txt when a target `tipin` exists, so app/ may be added
# before or after this file is included; app/CMakeLists.txt may also call it itself (a second
# call does nothing).
#
# The skins folder that the manual pages name is the configured one,
# ${CMAKE_INSTALL_FULL_DATADIR}/tipin/skins, as compiled into the program (skin/CMakeLists.txt).
# So a Debian package needs a build configured with -DCMAKE_INSTALL_PREFIX=/usr; `cpack -G DEB`
# stops in any other build.
include_guard(GLOBAL)
include(GNUInstallDirs)

set(TIPIN_APP_ID "io.github.tipin.Tipin")
set(TIPIN_SKINS_INSTALL_DIR "${CMAKE_INSTALL_DATADIR}/tipin/skins")

find_program(TIPIN_GZIP gzip REQUIRED)

# --- Programs ---------------------------------------------------------------------------------

# Installs an executable. A stripping install (`cmake --install --strip`, and cpack with
# CPACK_STRIP_FILES) also drops the compiler's .comment section, as Debian's dh_strip does.
function(tipin_install_executable target)
    install(TARGETS ${target} RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
    set(file "${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:${target}>")
    install(CODE "
        set(file \"${file}\")
        if(NOT IS_ABSOLUTE \"\${file}\")
            set(file \"\${CMAKE_INSTALL_PREFIX}/\${file}\")
        endif()
        if(CMAKE_INSTALL_DO_STRIP AND NOT \"${CMAKE_OBJCOPY}\" STREQUAL \"\")
            execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                                    \"\$ENV{DESTDIR}\${file}\")
        endif()
    ")
endfunction()

tipin_install_executable(tipin-pages)
tipin_install_executable(tipin-skin)

function(tipin_install_program target)
    get_property(done GLOBAL PROPERTY TIPIN_PROGRAM_INSTALLED)
    if(done)
        return()
    endif()
    set_property(GLOBAL PROPERTY TIPIN_PROGRAM_INSTALLED TRUE)
    tipin_install_executable(${target})
endfunction()

# --- The bundled skins: skins/CMakeLists.txt packs them into the build's bin/ folder -----------

get_directory_property(tipin_skin_list DIRECTORY "${PROJECT_SOURCE_DIR}/skins"
                       DEFINITION TIPIN_SKIN_PACKAGES)
if(NOT tipin_skin_list)
    message(FATAL_ERROR "skins/CMakeLists.txt no longer defines TIPIN_SKIN_PACKAGES")
endif()
set(tipin_skin_files)
list(LENGTH tipin_skin_list tipin_skin_count)
math(EXPR tipin_skin_last "${tipin_skin_count} - 1")
foreach(i RANGE 0 ${tipin_skin_last} 2) # package name, folder name, ...
    list(GET tipin_skin_list ${i} package)
    list(APPEND tipin_skin_files "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${package}")
endforeach()
install(FILES ${tipin_skin_files} DESTINATION "${TIPIN_SKINS_INSTALL_DIR}")

# --- Desktop integration --------------------------------------------------------------------

set(tipin_resources "${PROJECT_SOURCE_DIR}/resources")
install(FILES "${tipin_resources}/tipin.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications"
        RENAME "${TIPIN_APP_ID}.desktop")
install(FILES "${tipin_resources}/${TIPIN_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES "${tipin_resources}/icons/hicolor/${size}x${size}/apps/tipin.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()
install(FILES "${tipin_resources}/icons/tipin.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")

# --- Manual pages and documents, compressed as Debian wants them -------------------------------

# Installs SOURCE as NAME.gz into DESTINATION (relative to the prefix, or absolute), compressed
# with `gzip -9n` (no name, no time stamp) at install time. The lines `.ds Vn ...` and
# `.ds Sk ...` of a manual page get the project's version and the program's skins folder.
function(tipin_install_gzipped source destination name)
    set(work "${PROJECT_BINARY_DIR}/install-work")
    set(code "
        set(tipin_source \"${source}\")
        set(tipin_destination \"${destination}\")
        set(tipin_name \"${name}\")
        set(tipin_work \"${work}\")
        set(tipin_version \"${PROJECT_VERSION}\")
        set(tipin_skins \"${CMAKE_INSTALL_FULL_DATADIR}/tipin/skins\")
        set(tipin_gzip \"${TIPIN_GZIP}\")
    ")
    string(APPEND code [[
        if(NOT IS_ABSOLUTE "${tipin_destination}")
            set(tipin_destination "${CMAKE_INSTALL_PREFIX}/${tipin_destination}")
        endif()
        file(READ "${tipin_source}" text)
        string(REGEX REPLACE "\n\\.ds Vn [^\n]*" "\n.ds Vn ${tipin_version}" text "${text}")
        string(REGEX REPLACE "\n\\.ds Sk [^\n]*" "\n.ds Sk ${tipin_skins}" text "${text}")
        file(MAKE_DIRECTORY "${tipin_work}" "$ENV{DESTDIR}${tipin_destination}")
        file(WRITE "${tipin_work}/${tipin_name}" "${text}")
        set(target "$ENV{DESTDIR}${tipin_destination}/${tipin_name}.gz")
        message(STATUS "Installing: ${target}")
        execute_process(COMMAND "${tipin_gzip}" -9n -c "${tipin_work}/${tipin_name}"
                        OUTPUT_FILE "${target}" RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "gzip failed on ${tipin_source}")
        endif()
        list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${target}")
    ]])
    install(CODE "${code}")
endfunction()

foreach(page tipin tipin-pages tipin-skin)
    tipin_install_gzipped("${PROJECT_SOURCE_DIR}/doc/man/${page}.1"
                          "${CMAKE_INSTALL_MANDIR}/man1" "${page}.1")
endforeach()
set(tipin_docdir "${CMAKE_INSTALL_DATADIR}/doc/tipin")
install(FILES "${tipin_resources}/debian/copyright" DESTINATION "${tipin_docdir}")
tipin_install_gzipped("${tipin_resources}/debian/changelog" "${tipin_docdir}" "changelog")

file(STRINGS "${tipin_resources}/debian/changelog" tipin_changelog_top LIMIT_COUNT 1)
if(NOT tipin_changelog_top MATCHES "^tipin \\(${PROJECT_VERSION}\\) ")
    message(WARNING "resources/debian/changelog does not start with version ${PROJECT_VERSION}")
endif()

# --- The Debian package: `cpack -G DEB` -------------------------------------------------------

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "tipin")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Tipin developers")
set(CPACK_PACKAGE_CONTACT "The Tipin developers <tipin@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "insert the pages of one TIFF file into another")
set(CPACK_PACKAGE_DESCRIPTION
"Tipin inserts all pages of one multi-page TIFF file into another at the
page position you choose, tells you how many pages the target file has,
and shows any page of it. Pages are copied without being decoded again,
so scanned documents and faxes keep their compression, and the target is
replaced only when the insertion has succeeded.

Its window is fully skinned: a skin package decides the window's outline
and every control. Nine skins come with it, and the skin can be changed
while Tipin runs.

The command-line tools tipin-pages (count, describe, insert and render
pages) and tipin-skin (extract and check skin packages) come with it.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
# The program looks for its skins where it was configured to be installed.
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_BINARY_DIR}/TipinCPackChecks.cmake")
file(WRITE "${CPACK_PROJECT_CONFIG_FILE}" "
if(CPACK_GENERATOR STREQUAL \"DEB\" AND NOT \"${CMAKE_INSTALL_PREFIX}\" STREQUAL \"/usr\")
    message(FATAL_ERROR \"A Debian package installs into /usr, but this build was configured \"
        \"for ${CMAKE_INSTALL_PREFIX}: configure it with -DCMAKE_INSTALL_PREFIX=/usr\")
endif()
")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "graphics")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/tipin/tipin")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Runs once the whole tree is configured, so that it sees `tipin` wherever app/ is added.
function(tipin_finish_install)
    if(TARGET tipin)
        tipin_install_program(tipin)
        # Qt finds its X11 platform plugin at run time: no shared library names it.
        set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
    endif()
    include(CPack)
endfunction()
cmake_language(DEFER DIRECTORY "${PROJECT_SOURCE_DIR}" CALL tipin_finish_install)
