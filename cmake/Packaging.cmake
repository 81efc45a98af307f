# The Debian package: `cpack -G DEB` in the build folder makes pintavo_VERSION_ARCH.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pintavo)
set(CPACK_PACKAGE_VENDOR "${PINTAVO_MAKER_NAME}")
set(CPACK_PACKAGE_CONTACT "${PINTAVO_MAKER_NAME} <${PINTAVO_MAKER_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "album da colorare per bambini / colouring book for children")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PINTAVO_MAKER_SITE}")
# The summary above is the package's one-line synopsis; this is the long text.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Pintavo è un album da colorare per bambini. Si apre un disegno, si sceglie
un colore nella tavolozza e si fa clic dentro le forme per riempirle; una
penna nera chiude i contorni interrotti; il foglio colorato si salva come
immagine BMP o si stampa. Comprende 36 disegni.

Pintavo is a colouring book for children, with an Italian interface. Open a
drawing, pick a colour and click inside its areas to fill them; a black pen
closes broken outlines; the coloured sheet is saved as a BMP picture or
printed. It comes with 36 drawings.")
# The libraries (and the web engine's helper process, which the engine's
# shlibs name) come from dpkg-shlibdeps; what the program only uses at run time
# is named here: the face the palette column is measured for, Qt's Italian
# texts and the desktop opener for saved pictures and links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
# Qt loads its plugins at run time, out of dpkg-shlibdeps' sight: the SVG icon engine draws the
# buttons' pictures, and the picture plugins read the types the desktop entry lists beyond
# Qt's built-in ones. Releases keep them in different packages (Debian 13 moved the SVG ones
# into qt6-svg-plugins), so PackageDepends.cmake asks dpkg which, when the package is made.
set(_plugins ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS})
set(CPACK_PINTAVO_PLUGINS
    ${_plugins}/iconengines/libqsvgicon.so
    ${_plugins}/imageformats/libqsvg.so
    ${_plugins}/imageformats/libqgif.so
    ${_plugins}/imageformats/libqico.so
    ${_plugins}/imageformats/libqjpeg.so)
# The packages of these libraries come through dpkg-shlibdeps already, with their versions.
set(CPACK_PINTAVO_LINKED ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBS}/libQt6Gui.so.6
    ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBS}/libQt6Svg.so.6)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/PackageDepends.cmake)

include(CPack)
