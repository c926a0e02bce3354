# Installation: the program lives in its own folder with the help folders beside it (the
# program finds them there), a link on the PATH, a desktop entry and a scalable icon.
include(GNUInstallDirs)
set(VESK_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/vesk)

install(TARGETS vesk RUNTIME DESTINATION ${VESK_PROGRAM_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/help/ DESTINATION ${VESK_PROGRAM_DIR})
# The pose models, converted at build time, with their licence and notice, in "pose" beside the
# program, where it looks for them.
install(DIRECTORY ${VESK_POSE_MODEL_DIR}/ DESTINATION ${VESK_PROGRAM_DIR}/pose)
file(RELATIVE_PATH link_target /${CMAKE_INSTALL_BINDIR} /${VESK_PROGRAM_DIR}/vesk)
install(CODE "
  set(bindir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${bindir}\")
  file(CREATE_LINK \"${link_target}\" \"\${bindir}/vesk\" SYMBOLIC)
")
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vesk.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# Saved reports get a file type of their own, so that the desktop offers the program for them
# and not for every text file.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vesk-report.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME vesk.xml)
install(FILES ${CMAKE_SOURCE_DIR}/assets/icon/vesk.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps OPTIONAL)
# A package's triggers update the desktop's file type and program caches; an install straight from
# the build folder does it here.
install(CODE "
  if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
    execute_process(COMMAND update-mime-database \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/mime\"
                    ERROR_QUIET)
    execute_process(COMMAND update-desktop-database
                    \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\" ERROR_QUIET)
  endif()
")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vesk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "VESK maintainers <maintainers@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Postural risk assessment of a worker's task (VESK Procedure)")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Symbols stay in the build tree; the package carries the stripped program.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Plug-ins and fonts are loaded at run time, so the library scan cannot see them. (It finds
# OpenCV's libraries, which the program links.)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-image-formats-plugins, libqt6svg6, fonts-liberation2, fonts-comic-neue, shared-mime-info")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
