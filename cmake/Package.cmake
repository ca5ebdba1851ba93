# The Debian package, made by `cpack -G DEB` in a build configured with
# CMAKE_INSTALL_PREFIX=/usr; scripts/package.sh does both.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pressmoor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Tarnwick)
set(CPACK_PACKAGE_CONTACT "Tarnwick <pressmoor@tarnwick.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch converter of office documents to PDF files")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Pressmoor turns every file of one chosen type in a folder (word processor
documents, rich text, plain text, HTML, spreadsheets, or all of them) into a
PDF file of the same name in another folder. It runs in one four-step window,
or unattended from its command line for scheduled jobs.

It drives LibreOffice, headless, and prints through the Quillset PDF printer
driver, which the package installs into /var/lib/pressmoor.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES TRUE)

# The shared libraries the programs link (Qt, SQLite, libpaper, the UNO
# libraries, the C++ runtime) are found by dpkg-shlibdeps; the office the batch drives as a
# separate process is not, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(PRESSMOOR_OFFICE_PACKAGES libreoffice-core libreoffice-writer libreoffice-calc libreoffice-impress)
# Further run-time packages no library scan finds: the fonts the documents are
# set in, the sandbox the office runs in. Names only, or "name (>= version)".
set(PRESSMOOR_EXTRA_RUNTIME_PACKAGES
  bubblewrap
  fonts-liberation2 fonts-dejavu-core fonts-crosextra-carlito fonts-crosextra-caladea
  fonts-noto-core fonts-noto-cjk fonts-symbola)
list(JOIN PRESSMOOR_OFFICE_PACKAGES ", " office_depends)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${office_depends}")
foreach(package IN LISTS PRESSMOOR_EXTRA_RUNTIME_PACKAGES)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${package}")
endforeach()

# Installing the package installs the Quillset driver, removing it removes the
# driver, purging it removes the machine root.
set(PRESSMOOR_MACHINE_ROOT /var/lib/pressmoor)
set(PRESSMOOR_HELPER ${CMAKE_INSTALL_PREFIX}/${PRESSMOOR_HELPER_DIR}/quillset.exe)
set(maintainer_scripts "")
foreach(script postinst prerm postrm)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/deb/${script}.in
                 ${PROJECT_BINARY_DIR}/packaging/${script} @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE)
  list(APPEND maintainer_scripts ${PROJECT_BINARY_DIR}/packaging/${script})
endforeach()
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${maintainer_scripts})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

# What Debian wants beside the files: the copyright, a changelog and the
# reasons for the checks the package knowingly fails, added to the staged
# tree just before it is packed.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianDocs.cmake)
set(CPACK_PRESSMOOR_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PRESSMOOR_DOC_DIR ${PRESSMOOR_DOC_DIR})

include(CPack)
