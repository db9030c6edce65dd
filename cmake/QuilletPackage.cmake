# What the installation holds besides the executables and the desktop files,
# and the Debian package made from it: `cd build && cpack -G DEB` gives
# quillet_<version>_amd64.deb, which installs under /usr.

# The sample card listing and decks: a newcomer builds a database from
# share/quillet/cards.txt and opens a deck from share/quillet/decks/.
install(FILES ${PROJECT_SOURCE_DIR}/samples/cards.txt DESTINATION ${QUILLET_INSTALL_DATADIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/decks/
        DESTINATION ${QUILLET_INSTALL_DATADIR}/decks
        FILES_MATCHING PATTERN "*.txt")
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${QUILLET_INSTALL_DOCDIR})
# The version has no Debian revision (a native package), so the changelog is
# changelog.gz rather than changelog.Debian.gz.
quillet_install_gzipped(${PROJECT_SOURCE_DIR}/packaging/changelog ${QUILLET_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillet)
set(CPACK_PACKAGE_VENDOR "Quillet")
set(CPACK_PACKAGE_CONTACT "Idris Bellamy <idris.bellamy@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "deck analyser for the Orvane collectible card game")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillet opens an Orvane deck list and shows in one window what the deck is\n\
made of and how it is likely to play: counts by card type, sub-type, domain\n\
and rarity, the strongest and average assets and programs, the resources\n\
the deck produces and needs, the chance of an opening hand without assets or\n\
bases, and a list of problems such as an illegal deck size. Every figure\n\
opens into the list of cards behind it, and a card reader shows any card.\n\
\n\
The command-line tool quillet-cli builds the card database and analyses\n\
decks from a terminal, in plain text or JSON. An invented sample card\n\
listing and sample decks are included.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY quillet)
# Install with the real prefix and DESTDIR, so install scripts (the desktop
# entry) see /usr as the prefix, as they would on the target machine.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Idris Bellamy <idris.bellamy@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillet.example.org/")
# The dependencies are those of the libraries the executables link, as
# dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
