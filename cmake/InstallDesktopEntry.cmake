# Writes the desktop entry at install time, when the prefix is known.
# Expects QUILLET_DESKTOP_IN, QUILLET_APP_ID, QUILLET_BINDIR and
# QUILLET_APPLICATIONS_DIR (the last two relative to the prefix).
#
# The entry starts the program by name when it lands in a folder on every
# user's PATH (the package's /usr/bin, /usr/local/bin), and by its full,
# quoted path in a portable install, which nobody puts on PATH.
set(bindir "${CMAKE_INSTALL_PREFIX}/${QUILLET_BINDIR}")
if(bindir MATCHES "^/usr(/local)?/bin/?$")
  set(QUILLET_EXEC quillet)
else()
  # A quoted argument escapes " ` $ and \ with a backslash, and % is
  # doubled; then the value as a whole doubles every backslash, since the
  # entry's string escapes are undone before the argument's quoting.
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" quoted "${bindir}/quillet")
  string(REPLACE "%" "%%" quoted "${quoted}")
  string(REPLACE "\\" "\\\\" quoted "${quoted}")
  set(QUILLET_EXEC "\"${quoted}\"")
endif()
file(READ "${QUILLET_DESKTOP_IN}" entry)
string(CONFIGURE "${entry}" entry @ONLY)
set(dest "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${QUILLET_APPLICATIONS_DIR}/${QUILLET_APP_ID}.desktop")
message(STATUS "Installing: ${dest}")
file(WRITE "${dest}" "${entry}")
