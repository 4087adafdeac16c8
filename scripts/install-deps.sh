#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing Korvani need,
# only those that are missing, as root or through sudo.
set -euo pipefail

packages=(
    # build
    cmake make g++ pkg-config clang libclang-rt-14-dev clang-format
    qt6-base-dev qt6-base-private-dev qt6-qpa-plugins libgl-dev libx11-dev libxtst-dev libxcb1-dev libxdamage-dev
    # the face configuration, which a start reads ahead on a thread of its own
    libfontconfig-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    # llvm-symbolizer (not pulled in by clang without recommends): the sanitizer run's leak
    # suppressions name functions, which match only in symbolized reports
    llvm
    # fonts the chart and the composition line draw with
    fonts-sil-charis fonts-dejavu-core
    # a face of Arial's widths, which the About window's texts are laid out for
    fonts-urw-base35
    # the private X session of the end-to-end tests
    xvfb xauth openbox tint2 xdotool xclip x11-utils imagemagick python3 util-linux
    # a real RTF reader for checking the rich copies
    unrtf
    # checking the IPA symbol table: Unicode's character names, and an independent X-SAMPA table
    # (read by the tests only, never part of the program)
    unicode-data rime-data-ipa-xsampa
    # Wayland sessions: the native Qt platform, and headless compositors, a session bus and a
    # clipboard reader for the end-to-end tests (the virtual pointer tool needs the client library)
    qt6-wayland libwayland-dev weston xwayland sway wl-clipboard dbus
    # xhost, with which sway's XWayland admits the tests' programs
    x11-xserver-utils
    # the legacy font: made from Charis SIL with fontTools, installed through fontconfig's cache,
    # and checked end to end by a word processor reading a copy back
    python3-fonttools fontconfig libreoffice-writer-nogui poppler-utils
    # a screen reader's view of the window (AT-SPI), on a private session bus (dbus, above)
    at-spi2-core python3-pyatspi
    # the desktops auto-paste is checked on: window managers in their default configurations (two
    # read their settings over a session bus), keyboard layouts, and a GTK entry as a paste target
    xfwm4 icewm fluxbox jwm metacity dbus-daemon x11-xkb-utils python3-gi gir1.2-gtk-3.0
    # Wayland desktops the paste is checked on: GNOME's compositor with the desktop portal and its
    # GNOME backend (whose permission dialog is answered through AT-SPI); KDE's compositor with
    # KDE's backend (a Qt 5 program: qtwayland5), and the protocol of KWin's fake input, through
    # which the tests type as the user
    mutter xdg-desktop-portal xdg-desktop-portal-gnome
    kwin-wayland xdg-desktop-portal-kde qtwayland5 plasma-wayland-protocols
    # KDE's window manager with its default decoration, and LXQt's panel, whose notification area
    # is a StatusNotifierItem host only
    kwin-x11 kwin-style-breeze lxqt-panel
    # spelling to IPA: espeak-ng's header at build time, its library and data at run time
    libespeak-ng-dev libespeak-ng1 espeak-ng-data
    # which of the program's functions a start runs, for the order its link puts them in
    # (bench/startorder.py)
    valgrind
    # the installed program: icon sizes rendered from the drawing, the Debian package and the
    # checks of its menu entry, AppStream data and contents
    librsvg2-bin dpkg-dev fakeroot file desktop-file-utils appstream lintian
)
# Packages given as arguments (the Windows build's list) are installed the same way instead.
[[ $# -gt 0 ]] && packages=("$@")

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    if [[ "$status" != "install ok installed" ]]; then
        missing+=("$package")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "Run as root or install sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
