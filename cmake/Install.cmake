# kivp as an installed desktop program: the programs, the menu entry, the icon in the sizes desktops ask for, the
# AppStream metainfo, the man pages, the help page, the copyright file and the demo league, in the standard places
# under the prefix; a Debian package of them (cpack -G DEB); and a test that installs, validates and packages it
# all.
include(GNUInstallDirs)

set(KIVP_APP_ID org.kivp.kivp)
set(KIVP_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)

if(TARGET kivsim)
    install(TARGETS kivsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(TARGET kivp)
    install(TARGETS kivp RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    # Where the demo league lies seen from the program, so an installed tree can be moved as a whole.
    file(RELATIVE_PATH KIVP_DEMO_FROM_BINDIR ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/kivp/demo)
    target_compile_definitions(kivp PRIVATE KIVP_DEMO_FROM_BINDIR="${KIVP_DEMO_FROM_BINDIR}")

    install(FILES ${KIVP_PACKAGING}/${KIVP_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${KIVP_PACKAGING}/${KIVP_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${KIVP_PACKAGING}/icons/kivp.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    foreach(size 16 22 24 32 48 64 128 256)
        install(FILES ${KIVP_PACKAGING}/icons/${size}x${size}/kivp.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    install(FILES ${PROJECT_SOURCE_DIR}/src/ui/help/kivp-help.html ${KIVP_PACKAGING}/copyright
            DESTINATION ${CMAKE_INSTALL_DOCDIR})
    # Every team file, whatever the case of its extension: team files made on Windows are often "NAME.DAT".
    file(GLOB KIVP_DEMO_TEAMS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/demo/*)
    list(FILTER KIVP_DEMO_TEAMS INCLUDE REGEX "\\.[dD][aA][tT]$")
    install(FILES ${KIVP_DEMO_TEAMS} DESTINATION ${CMAKE_INSTALL_DATADIR}/kivp/demo)

    # Man pages go compressed, as Debian keeps them; -n leaves the date out so the package builds the same twice.
    set(KIVP_MAN_PAGES)
    foreach(page kivp kivsim)
        set(compressed ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.1.gz)
        add_custom_command(OUTPUT ${compressed}
                           COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
                           COMMAND gzip -9 -n -c ${KIVP_PACKAGING}/${page}.1 > ${compressed}
                           DEPENDS ${KIVP_PACKAGING}/${page}.1 VERBATIM)
        list(APPEND KIVP_MAN_PAGES ${compressed})
    endforeach()
    add_custom_target(kivp_man_pages ALL DEPENDS ${KIVP_MAN_PAGES})
    install(FILES ${KIVP_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# The Debian package. Library dependencies come from dpkg-shlibdeps; Qt's platform plugins are a package of their
# own that no library names, and without them no window opens.
set(CPACK_PACKAGE_NAME kivp)
set(CPACK_PACKAGE_VENDOR "kivp maintainers")
set(CPACK_PACKAGE_CONTACT "kivp maintainers <maintainers@kivp.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "playoff manager for the KIV baseball simulator")
set(CPACK_PACKAGE_DESCRIPTION "KIV Playoff Mode runs a whole baseball post-season on top of the KIV
simulator: it starts the simulator for each game, reads the line score,
credits the win and moves the series winners on through the bracket until a
champion stands. It saves playoffs, exports a printable report and prints the
bracket. A demo league and a small stand-in simulator come with it.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY kivp)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)

if(KIVP_BUILD_TESTS AND TARGET kivp)
    add_test(NAME install_and_package
             COMMAND sh ${PROJECT_SOURCE_DIR}/scripts/check-install.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(install_and_package PROPERTIES LABELS install TIMEOUT 600)
endif()
