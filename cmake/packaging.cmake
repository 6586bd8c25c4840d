# The Debian package: `cmake --build build --target package` writes mirelta_<version>_<arch>.deb.
# Libraries the program links come from dpkg-shlibdeps; what it loads at run time by name
# (GStreamer elements, Qt's platform and image plugins, the Japanese font) is listed here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mirelta)
set(CPACK_PACKAGE_VENDOR MRC)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
  "Mirelta shows the live picture of a USB microscope or inspection camera and measures\n\
lengths, areas, circles, perpendiculars and angles on it with the mouse, calibrated in\n\
cm, mm or um. Results are saved as CSV text or measurement files, pictures as BMP or JPEG.")
set(CPACK_PACKAGE_CONTACT "Mirelta developers <mirelta@localhost>")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, qt6-qpa-plugins, qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic")
include(CPack)
