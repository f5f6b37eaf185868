# The Linux installation around the two programs: the desktop entry, launcher icons, AppStream
# metainfo, manual pages and the Debian documentation files; and the Debian package made from
# it by CPack (scripts/package). The programs' own install rules are beside their targets.
include(GNUInstallDirs)

set(VELNOR_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(VELNOR_GENERATED_DIR ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${VELNOR_GENERATED_DIR})

# Files that carry the version, and those installed gzip-compressed as Debian wants them.
configure_file(${VELNOR_PACKAGING_DIR}/${VELNOR_APP_ID}.metainfo.xml
               ${VELNOR_GENERATED_DIR}/${VELNOR_APP_ID}.metainfo.xml @ONLY)
set(compressed "")
foreach(name velnor.6 velnor-analyze.1 changelog)
  configure_file(${VELNOR_PACKAGING_DIR}/${name} ${VELNOR_GENERATED_DIR}/${name} @ONLY)
  add_custom_command(
    OUTPUT ${VELNOR_GENERATED_DIR}/${name}.gz
    COMMAND sh -c "gzip -9n < '${name}' > '${name}.gz'"
    DEPENDS ${VELNOR_GENERATED_DIR}/${name}
    WORKING_DIRECTORY ${VELNOR_GENERATED_DIR}
    VERBATIM)
  list(APPEND compressed ${VELNOR_GENERATED_DIR}/${name}.gz)
endforeach()

# The launcher icons, from the icon's own art enlarged by whole numbers: 16 from its 16-pixel
# image, the others from its 32-pixel one (48 is that image at its own size, centred).
find_package(PNG REQUIRED)
add_executable(icon-png ${PROJECT_SOURCE_DIR}/tools/icon-png/icon_png.cpp)
target_link_libraries(icon-png PRIVATE PNG::PNG)
set(icons "")
#                   size  from  scale
foreach(icon "16;16;1" "32;32;1" "48;32;1" "64;32;2" "128;32;4" "256;32;8")
  list(GET icon 0 size)
  list(GET icon 1 from)
  list(GET icon 2 scale)
  set(png ${VELNOR_GENERATED_DIR}/icons/${size}x${size}/${VELNOR_APP_ID}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VELNOR_GENERATED_DIR}/icons/${size}x${size}
    COMMAND icon-png ${PROJECT_SOURCE_DIR}/assets/ICON.ico ${from} ${scale} ${size} ${png}
    DEPENDS icon-png ${PROJECT_SOURCE_DIR}/assets/ICON.ico
    VERBATIM)
  list(APPEND icons ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(velnor_install_files ALL DEPENDS ${compressed} ${icons})

install(FILES ${VELNOR_PACKAGING_DIR}/${VELNOR_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELNOR_GENERATED_DIR}/${VELNOR_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VELNOR_GENERATED_DIR}/velnor.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${VELNOR_GENERATED_DIR}/velnor-analyze.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${VELNOR_PACKAGING_DIR}/copyright ${VELNOR_GENERATED_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velnor)
install(FILES ${VELNOR_PACKAGING_DIR}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME velnor)

# The Debian package: velnor_<version>_<arch>.deb. dpkg-shlibdeps finds the libraries the
# programs link; the Wayland platform plugin and a font with Japanese glyphs for the menu are
# loaded at run time, so they are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velnor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Velnor Part1 developers")
set(CPACK_PACKAGE_CONTACT
    "The Velnor Part1 developers <maintainers@users.noreply.c-seed-f7cb53ce.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Othello between a spray can and an insect")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/velnor/velnor-part1)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk | fonts-ipafont-gothic | fonts-vlgothic, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The extended description under the summary; CPack indents it and marks the empty line.
set(CPACK_PACKAGE_DESCRIPTION
    "Othello (Reversi) for one or two people: the spray can MopraGET plays the
insect Zarbo, each side played by a person with the mouse or by the computer
at one of eight levels. The game can be stepped back and forth and taken up
again from any position; flips are animated and each side has a clock. The
menu is in Japanese.

The package also holds velnor-analyze, which answers questions about
positions exactly as the game's rules and computer player would.")
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_SOURCE_DIR}/build/packages)
include(CPack)
