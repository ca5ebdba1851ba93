# What `cmake --install` puts where, in the GNU layout below CMAKE_INSTALL_PREFIX.

install(TARGETS pressmoor pressmoor-reg RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Nobody starts the helper by hand: the driver's install step copies it into
# the machine root, and the About button starts that copy.
set(PRESSMOOR_HELPER_DIR ${CMAKE_INSTALL_LIBEXECDIR}/pressmoor)
install(TARGETS quillset RUNTIME DESTINATION ${PRESSMOOR_HELPER_DIR})

install(FILES data/pressmoor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/pressmoor.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(PRESSMOOR_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/pressmoor)
install(FILES README.md DESTINATION ${PRESSMOOR_DOC_DIR})

# Scheduled runs and watched folders: the user units name the installed programs.
set(PRESSMOOR_HELPER_FULL_DIR ${CMAKE_INSTALL_FULL_LIBEXECDIR}/pressmoor)
configure_file(contrib/systemd/pressmoor@.service.in ${CMAKE_BINARY_DIR}/contrib/pressmoor@.service @ONLY)
configure_file(contrib/systemd/pressmoor-watch@.service.in ${CMAKE_BINARY_DIR}/contrib/pressmoor-watch@.service @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/contrib/pressmoor@.service contrib/systemd/pressmoor@.timer
              ${CMAKE_BINARY_DIR}/contrib/pressmoor-watch@.service contrib/systemd/pressmoor-watch@.path
        DESTINATION lib/systemd/user)
install(PROGRAMS contrib/systemd/pressmoor-watch DESTINATION ${PRESSMOOR_HELPER_DIR})
install(FILES contrib/systemd/letters.env contrib/cron/pressmoor.crontab
        DESTINATION ${PRESSMOOR_DOC_DIR}/examples)

# The component every office loads, beside its registration file; the
# programs look for them there (OfficeComponent.cpp).
install(TARGETS pressmoor_office_component LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/pressmoor)
install(FILES src/office/libreoffice/component/pressmoor-office.rdb DESTINATION ${CMAKE_INSTALL_LIBDIR}/pressmoor)
