# `make package`: build/kelvane_<version>_<arch>.deb, installing under /usr, and, when the database
# extension is built, build/postgresql-15-kelvane_<version>_<arch>.deb (Debian's name for an
# extension of PostgreSQL 15), one package for each install component.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL kelvane)
set(CPACK_PACKAGE_NAME kelvane)
set(CPACK_PACKAGE_VENDOR Halvorin)
set(CPACK_PACKAGE_CONTACT "Kelvane developers <kelvane@halvorin.example>")
# Each package's description has its summary for a first line (CPack puts no summary of its own
# before it while CPACK_PACKAGE_DESCRIPTION_SUMMARY is unset). Lines kept within 80 columns for
# dpkg and apt, which show them as they are.
string(JOIN "\n" CPACK_DEBIAN_KELVANE_DESCRIPTION
  "check and clean lists of telephone numbers"
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
set(CPACK_DEBIAN_KELVANE_PACKAGE_NAME kelvane)
set(CPACK_DEBIAN_KELVANE_FILE_NAME DEB-DEFAULT)

if(TARGET kelvane_postgres)
  list(APPEND CPACK_COMPONENTS_ALL postgresql)
  set(CPACK_DEBIAN_POSTGRESQL_PACKAGE_NAME postgresql-15-kelvane)
  set(CPACK_DEBIAN_POSTGRESQL_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_POSTGRESQL_PACKAGE_SECTION database)
  # The server's package; dpkg-shlibdeps adds the libraries after it.
  set(CPACK_DEBIAN_POSTGRESQL_PACKAGE_DEPENDS postgresql-15)
  string(JOIN "\n" CPACK_DEBIAN_POSTGRESQL_DESCRIPTION
    "telephone numbers as a PostgreSQL type, by libphonenumber's rules"
    "CREATE EXTENSION kelvane gives PostgreSQL 15 the type phone_number, a valid"
    "telephone number kept in 8 bytes, which dedupes, joins and indexes as a"
    "number, and the functions that read lines of any writing as numbers, tell"
    "why a line is not one, format and describe numbers (type, region, place) and"
    "find them in free text, with the same rules and answers as kelvane-cli.")
endif()
include(CPack)
