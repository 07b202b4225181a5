# The Debian package: `cpack -G DEB` in the build directory writes
# shoutotsu_<version>_<arch>.deb with what `cmake --install` puts in /usr.

set(CPACK_PACKAGE_NAME shoutotsu)
set(CPACK_PACKAGE_VENDOR "shoutotsu team")
set(CPACK_PACKAGE_CONTACT "${SHOUTOTSU_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "collision experiment for grade-school science (ぴるての衝突)")
# The long description, one line of the package's control file each.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "A desktop teaching simulation with a Japanese window. A blue bob slides"
  "down a slanted rail, runs along a table and strikes a red bob resting on"
  "the table's edge; the red bob flies off, and the window shows where it"
  "lands. Learners set the masses, the radii, the rail's height and slope"
  "length and the speed, run the experiment and compare the distances."
  "It works from the keyboard and names its controls for screen readers."
  ""
  "Also contains shoutotsu-trace, which runs the experiment without a"
  "display and prints tables of results.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries come from what the programs link (dpkg-shlibdeps). Added
# by hand: the X11 platform plugin, which Qt loads at run time and Debian only
# recommends, and the Japanese Gothic face the window's text is laid out for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")

include(CPack)
