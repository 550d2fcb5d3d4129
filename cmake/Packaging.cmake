# The Debian package, built by scripts/package with `cpack`. Installed under /usr: the
# program in /usr/lib/vantor with its Dll/ folder, `vantor` and `vantor-kfx` on the path,
# and the desktop entry, icons, MIME type and AppStream metadata where the desktop looks.
# The package's dependencies are those of the shared libraries its files link
# (dpkg-shlibdeps), not a list kept by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantor)
set(CPACK_PACKAGE_VENDOR Qendel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Vantor developers <vantor@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design program for model rockets")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Build a model rocket from nose cones, body tubes, transitions, motors, fin sets\n\
and ballast, see it in a zoomable side view with dimensions, read off its\n\
weight, centre of pressure, centre of gravity and static margin, and view it\n\
in 3D.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time rather than linked, so the shared-library scan cannot see them: the
# serif font the drawing asks for, and the OpenGL drivers of the 3D view.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, libgl1-mesa-dri")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
