# "make package": a Debian package of both programs, their menu entry and icon.
include(GNUInstallDirs)

install(TARGETS kardolist kardolist-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kardolist.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kardolist.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kardolist)
set(CPACK_PACKAGE_VENDOR "Кардолист")
set(CPACK_PACKAGE_CONTACT "Кардолист <kardolist@kardolist.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "payroll registers and client lists for a card-issuing bank")
set(CPACK_PACKAGE_DESCRIPTION "Prepares the documents an organisation hands to its card-issuing bank:
payroll registers and client registration lists as Windows-1251 line files
with a CRC-32 trailer, and their printouts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://kardolist.example)
# The libraries come from dpkg-shlibdeps; what is only loaded at run time
# is named here: Qt's Russian texts, the printout font, the X11 platform plugin.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-liberation2, qt6-qpa-plugins")
include(CPack)
