# Run by cpack on the staged tree before it is packed: the copyright, the
# changelog of a native package and the lintian overrides, all of which only
# a Debian package carries. The date honours SOURCE_DATE_EPOCH.
set(stage ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
set(doc ${stage}/${CPACK_PRESSMOOR_DOC_DIR})
set(deb ${CPACK_PRESSMOOR_SOURCE_DIR}/packaging/deb)

file(COPY_FILE ${deb}/copyright ${doc}/copyright)

string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${doc}/changelog
     "${CPACK_PACKAGE_NAME} (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium\n\n"
     "  * Pressmoor ${CPACK_PACKAGE_VERSION}.\n\n"
     " -- ${CPACK_PACKAGE_CONTACT}  ${date}\n")
execute_process(COMMAND gzip -9nf ${doc}/changelog COMMAND_ERROR_IS_FATAL ANY)

file(MAKE_DIRECTORY ${stage}/share/lintian/overrides)
file(COPY_FILE ${deb}/lintian-overrides ${stage}/share/lintian/overrides/${CPACK_PACKAGE_NAME})
