# `make package`: build/kelvane_<version>_<arch>.deb, installing under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvane)
set(CPACK_PACKAGE_VENDOR Halvorin)
set(CPACK_PACKAGE_CONTACT "Kelvane developers <kelvane@halvorin.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "check and clean lists of telephone numbers")
# Lines kept within 80 columns for dpkg and apt, which show them as they are.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Kelvane cleans lists of telephone numbers kept as plain text files, one number"
  "per line. Its window opens a file and checks every line as a number, removes"
  "the duplicates (the first occurrence wins, lines compared on their first"
  "characters) and saves the cleaned list as a new file. Files are handled as"
  "bytes: what is not removed comes out exactly as it went in."
  ""
  "The batch command kelvane-cli applies the same rules from scripts, to lists of"
  "any size.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/kelvane/kelvane)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's fonts, which no library links; dpkg-shlibdeps adds the libraries after these.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
