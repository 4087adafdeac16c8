# SPDX-License-Identifier: GPL-3.0-or-later
# `make package`: the Debian package, korvani_<version>-<revision>_<arch>.deb, of what
# `cmake --install` installs. Configure with -DCMAKE_INSTALL_PREFIX=/usr for it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvani)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Korvani developers")
set(CPACK_PACKAGE_CONTACT "Korvani maintainers <maintainers@korvani.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "IPA symbol palette for writing English pronunciation")
# The long description; CPack puts the summary above it.
set(CPACK_PACKAGE_DESCRIPTION
    "Korvani is a small, always-on-top tool for writing the pronunciation of
English words, and a few sounds of other European languages, in the symbols
of the International Phonetic Alphabet. Copy puts the transcription on the
clipboard as plain text and as rich text; with automatic pasting on, Korvani
switches back to the previous application and pastes there. It lives in the
notification area.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://korvani.example.org/")
# Libraries come from shlibdeps; Qt's platform plugins are loaded at run time, so they are named,
# and the chart's IPA face is needed to draw it (and is what the fontconfig alias points to).
# espeak-ng is opened at the first transcription, out of shlibdeps' sight, and reads its data;
# libXtst at the first paste.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-sil-charis, fontconfig, libespeak-ng1 (>= 1.51), espeak-ng-data, libxtst6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
include(CPack)
