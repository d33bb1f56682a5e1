# Installation as a desktop application, and the Debian package built from it.
#
# "cmake --install" lays out the two programs, their manual pages (English and Italian) and, with the
# window, the desktop entry, the icon at the hicolor theme's sizes, the AppStream metadata and the shared
# MIME types of the circuit, session and challenge files. CPack packs exactly that layout into a .deb whose
# dependencies dpkg-shlibdeps reads from the programs. scripts/check-install.sh checks both.

include(GNUInstallDirs)

# The reverse-DNS name of the organisation domain (ui/model/ApplicationInfo.h) names every desktop file, so the
# desktop entry, the metadata, the MIME package and the icon find one another.
set(FASORIA_APP_ID "it.nembotica.Fasoria")
set(FASORIA_PACKAGE_MAINTAINER "Nembotica <fasoria@nembotica.it>"
    CACHE STRING "Maintainer field of the Debian package: name and e-mail address")

# Directories in the package and under DESTDIR get the usual modes whatever the umask of the build.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Installing and packing take the build as it is, as "cmake --install" always does: otherwise CPack first
# rebuilds whatever is out of date, and the packaging test would relink programs that other tests are running.
# Build first ("cmake --build", as scripts/package.sh does), then install or pack.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(packaging_source "${PROJECT_SOURCE_DIR}/packaging")
set(packaging_binary "${PROJECT_BINARY_DIR}/packaging")

if(TARGET fasoria)
    install(TARGETS fasoria RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
endif()
if(TARGET fasoria-cli)
    install(TARGETS fasoria-cli RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
endif()

# Manual pages: the version comes from the project, and Debian installs pages compressed, without a name or
# a time stamp in the gzip header so that two builds give the same bytes.
set(manual_pages)
foreach(program fasoria fasoria-cli)
    if(NOT TARGET ${program})
        continue()
    endif()
    foreach(language en it)
        if(language STREQUAL "en")
            set(page_source "${packaging_source}/${program}.1")
            set(page_directory "${CMAKE_INSTALL_MANDIR}/man1")
        else()
            set(page_source "${packaging_source}/${program}.${language}.1")
            set(page_directory "${CMAKE_INSTALL_MANDIR}/${language}/man1")
        endif()
        set(page "${packaging_binary}/man/${language}/${program}.1")
        configure_file("${page_source}" "${page}" @ONLY)
        add_custom_command(OUTPUT "${page}.gz"
            COMMAND gzip -9 -n -f -k "${page}"
            DEPENDS "${page}" "${page_source}"
            COMMENT "Compressing the manual page ${language}/${program}.1"
            VERBATIM)
        list(APPEND manual_pages "${page}.gz")
        install(FILES "${page}.gz" DESTINATION "${page_directory}")
    endforeach()
endforeach()
if(manual_pages)
    add_custom_target(fasoria_manual_pages ALL DEPENDS ${manual_pages})
endif()

if(TARGET fasoria)
    install(FILES "${packaging_source}/${FASORIA_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
    install(FILES "${packaging_source}/${FASORIA_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
    install(FILES "${packaging_source}/${FASORIA_APP_ID}.mime.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages" RENAME "${FASORIA_APP_ID}.xml")

    # Every size is drawn from the one icon compiled into the window, by a small tool built for the purpose.
    add_executable(fasoria_scale_icon "${packaging_source}/scale_icon.cpp")
    target_link_libraries(fasoria_scale_icon PRIVATE Qt5::Gui fasoria_flags)
    set(icon_source "${PROJECT_SOURCE_DIR}/Help/icons/Fasoria.png")
    set(icons)
    foreach(size 16 32 48 64 128 256)
        set(icon "${packaging_binary}/icons/${size}x${size}/${FASORIA_APP_ID}.png")
        add_custom_command(OUTPUT "${icon}"
            COMMAND "${CMAKE_COMMAND}" -E make_directory "${packaging_binary}/icons/${size}x${size}"
            COMMAND fasoria_scale_icon "${icon_source}" ${size} "${icon}"
            DEPENDS fasoria_scale_icon "${icon_source}"
            COMMENT "Drawing the ${size}x${size} icon"
            VERBATIM)
        list(APPEND icons "${icon}")
        install(FILES "${icon}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
    endforeach()
    add_custom_target(fasoria_icons ALL DEPENDS ${icons})
endif()

# Debian wants the licence of every package in its documentation folder, under this name.
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/fasoria" RENAME copyright)

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "fasoria")
set(CPACK_PACKAGE_VENDOR "Nembotica")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${FASORIA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "quantum computation laboratory for the classroom")
# CPack indents these lines for the control file and marks the blank line as a paragraph break.
set(CPACK_PACKAGE_DESCRIPTION
    "Fasoria is a bilingual (Italian and English) teaching laboratory for quantum
computation, for students and their teachers. The student builds or loads a
small quantum circuit, applies its gates one at a time and watches the complex
amplitude, phase and probability of every basis state change. The simulation
is an exact, noise-free state vector in double precision, with the gates H, X,
Z, P(theta) and CNOT: the engine and the scientific validation suite work on 1
to 12 qubits, the circuits in the window and in circuit files have 1 to 8.

The window offers 21 lessons with graded challenges and the algorithms of
Deutsch, Bernstein-Vazirani and Grover, a circuit editor, measurements and
repeated preparations, a learning lab with printable worksheets, a scientific
validation suite and a complete offline handbook. The command-line tool
fasoria-cli makes challenges from a teacher's solutions, grades a class's
submissions, checks the session files students save and converts circuits to
and from OpenQASM 2.0.")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${FASORIA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE "xz")
include(CPack)
