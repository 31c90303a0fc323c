# A Debian package of the installed tree: `cpack -G DEB` in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${VIREO_DEBIAN_REVISION})
set(CPACK_PACKAGE_VENDOR "VIREO Skin Builder developers")
set(CPACK_PACKAGE_CONTACT "VIREO Skin Builder developers <vireo-skin-builder@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "skin builder for the VIREO media player")
set(CPACK_PACKAGE_DESCRIPTION
    "Builds the BACKIMG skin file of the VIREO media player from twelve 256-colour\nBMP pictures and a settings file, edits the settings, previews the icon\nlayout, unpacks older skins and picks colours.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Install with DESTDIR so that install-time code sees the packaged prefix, /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/vireo-skin-builder/vireo-skin-builder)
# The Qt libraries come from dpkg-shlibdeps; the platform plugins, the WebP
# and TIFF readers, Qt's Chinese translations, a font with Chinese glyphs and
# libimagequant (opened at the first conversion) and libzip (opened at the
# first skin package) are loaded at run time and must be named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libimagequant0, libzip4, qt6-qpa-plugins, qt6-image-formats-plugins, qt6-translations-l10n, fonts-wqy-microhei | fonts-wqy-zenhei | fonts-noto-cjk")

include(CPack)
