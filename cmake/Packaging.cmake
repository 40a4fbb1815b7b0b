# A Debian package of what "cmake --install" installs: run "cpack -G DEB" in the build folder.
set(CPACK_PACKAGE_NAME quillmate)
set(CPACK_PACKAGE_VENDOR Tarnwick)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "personal organizer: address book, tasks and appointments")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${PROJECT_SOURCE_DIR}/resources/package/description.txt)
set(QUILLMATE_PACKAGE_CONTACT
    "Quillmate maintainers <maintainers@users.noreply.c-seed-89bc3fee.example>"
    CACHE STRING "Maintainer of the Debian package")
set(CPACK_PACKAGE_CONTACT ${QUILLMATE_PACKAGE_CONTACT})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Debug information stays in the build; the package carries stripped programs.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies come from the programs themselves; Qt loads its window-system
# plugins and the SVG icon engine (the toolbar's own icons) at run time, where
# dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
# Reports name "Times New Roman"; Liberation Serif has the same metrics.
# Qt's translations give its dialog buttons the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-translations-l10n")
# Sync keeps account passwords in a Secret Service keyring; libqt6keychain1 comes with the
# program's libraries.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gnome-keyring | kwalletmanager")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
