# Installs the game as a desktop expects it: the program, its data in the folder the program
# searches, a launcher entry, icons, the software centre's description and the manual page.
# Packagers stage with DESTDIR; `cpack -G DEB` makes a Debian package of the same files.
include(GNUInstallDirs)

set(QUENFORD_BUILT_DATA ${CMAKE_BINARY_DIR}/data)
set(QUENFORD_ICON_SIZES 16 24 32 48 64 128 256)
set(QUENFORD_APP_ID io.github.quenford.quenford)

# Relative to the prefix where it lies under it, so that packages can be relocated.
set(QUENFORD_DATA_DESTINATION ${QUENFORD_DATA_DIR})
cmake_path(IS_PREFIX CMAKE_INSTALL_PREFIX ${QUENFORD_DATA_DIR} NORMALIZE data_under_prefix)
if(data_under_prefix)
    file(RELATIVE_PATH QUENFORD_DATA_DESTINATION ${CMAKE_INSTALL_PREFIX} ${QUENFORD_DATA_DIR})
endif()

install(TARGETS quenford RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${QUENFORD_BUILT_DATA}/DATA10.RES ${QUENFORD_BUILT_DATA}/morva.res
        DESTINATION ${QUENFORD_DATA_DESTINATION})
# The demo is recorded by the build where it can be.
install(FILES ${QUENFORD_BUILT_DATA}/DATA12.RES DESTINATION ${QUENFORD_DATA_DESTINATION}
        OPTIONAL)
foreach(size IN LISTS QUENFORD_ICON_SIZES)
    install(FILES ${QUENFORD_BUILT_DATA}/icons/${size}x${size}/quenford.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The window's icon and the signs over a held game, read by the game from beside its data.
install(FILES ${QUENFORD_BUILT_DATA}/icons/64x64/quenford.png
        DESTINATION ${QUENFORD_DATA_DESTINATION}/icons/64x64)
install(FILES ${QUENFORD_BUILT_DATA}/signs/paused.png ${QUENFORD_BUILT_DATA}/signs/controls.png
              ${QUENFORD_BUILT_DATA}/signs/rules.png
        DESTINATION ${QUENFORD_DATA_DESTINATION}/signs)

set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_out ${CMAKE_BINARY_DIR}/packaging)
configure_file(${packaging}/quenford.6 ${packaging_out}/quenford.6 @ONLY)
configure_file(${packaging}/changelog ${packaging_out}/changelog @ONLY)
configure_file(${packaging}/quenford.metainfo.xml
               ${packaging_out}/${QUENFORD_APP_ID}.metainfo.xml @ONLY)
# Manual pages and changelogs are shipped compressed, without a time stamp inside.
add_custom_command(
    OUTPUT ${packaging_out}/quenford.6.gz ${packaging_out}/changelog.gz
    COMMAND gzip -9 -n -f -k quenford.6 changelog
    DEPENDS ${packaging_out}/quenford.6 ${packaging_out}/changelog
    WORKING_DIRECTORY ${packaging_out}
    VERBATIM)
add_custom_target(packaging_files ALL
                  DEPENDS ${packaging_out}/quenford.6.gz ${packaging_out}/changelog.gz)
install(FILES ${packaging}/quenford.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_out}/${QUENFORD_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging_out}/quenford.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${packaging}/copyright ${packaging_out}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quenford)

set(CPACK_PACKAGE_NAME quenford)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "garden puzzle of the Tamberly collection")
# Lines of a Debian description stay under 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "An 8 by 8 garden bed in isometric view, played with the mouse:\n"
    "swap crops and harvest groups of five or more before the bed fills up.")
set(CPACK_PACKAGE_CONTACT "Quenford developers <developers@quenford.github.io>")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
