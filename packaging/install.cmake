# Install layout and the Debian package: the programs, their manual pages, a
# desktop entry that starts the program in a terminal, and its icon.
include(GNUInstallDirs)

install(TARGETS agvsim agvsim-export agvsim-sweep agvsim-video RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/tools/agvsim-plot DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${AGV_PLOT_MODULES} DESTINATION ${CMAKE_INSTALL_DATADIR}/agvsim/plot)

# Manual pages carry the project's version and ship compressed, as Debian's do.
set(AGV_VERSION ${PROJECT_VERSION})
file(GLOB AGV_MAN_PAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/man/*.1)
set(AGV_MAN_OUTPUTS)
foreach(page ${AGV_MAN_PAGES})
  get_filename_component(name ${page} NAME)
  configure_file(${page} ${CMAKE_BINARY_DIR}/man/${name} @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${name}.gz
                     COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/man/${name} > ${CMAKE_BINARY_DIR}/man/${name}.gz
                     DEPENDS ${CMAKE_BINARY_DIR}/man/${name} VERBATIM)
  list(APPEND AGV_MAN_OUTPUTS ${CMAKE_BINARY_DIR}/man/${name}.gz)
endforeach()
add_custom_target(agv_man_pages ALL DEPENDS ${AGV_MAN_OUTPUTS})
install(FILES ${AGV_MAN_OUTPUTS} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The maths for students, with its figures.
file(GLOB AGV_THEORY_FIGURES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/theory-*.png)
install(FILES ${CMAKE_SOURCE_DIR}/docs/theory.md ${AGV_THEORY_FIGURES} DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The browser page, from make web; make package builds it first.
install(FILES ${CMAKE_SOURCE_DIR}/dist/agvsim.html DESTINATION ${CMAKE_INSTALL_DATADIR}/agvsim OPTIONAL)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/agvsim.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/agvsim.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME agvsim)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "teaching simulator for path-following feedback control of an AGV")
# The summary is the description's first line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Three drive mechanisms (2DW1C, 1FDW1FS, 1RDW1FS) under a P and a PI feedback
law return to a straight or circular path. A Japanese console dialog sets the
path, the design values fn and zeta and the initial pose; an OpenGL window
animates the vehicle, draws both trajectories and a phase plane of the errors.
Companion tools export the runs and their figures as CSV, sweep a grid of
settings, plot the errors over time beside the design curves, map the settle
time over the design values and record a run as a video.")
set(CPACK_PACKAGE_CONTACT "agvsim maintainers <agvsim@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The plot tool needs matplotlib and the video tool ffmpeg; the simulator neither.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "python3-matplotlib, ffmpeg")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xvfb")
include(CPack)
