// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11systemmenu.h"

#include <QGuiApplication>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "x11property.h"

#include <algorithm>
#include <array>
#include <vector>

namespace korv::platform {
namespace {

// Motif window-manager hints, as window managers read them.
constexpr unsigned long kHintFunctions = 1UL << 0;
constexpr unsigned long kHintDecorations = 1UL << 1;
constexpr unsigned long kFuncAll = 1UL << 0;
constexpr unsigned long kFuncResize = 1UL << 1;
constexpr unsigned long kFuncMinimize = 1UL << 3;
constexpr unsigned long kFuncMaximize = 1UL << 4;
constexpr unsigned long kFuncEvery = 0x3EUL;
constexpr unsigned long kDecorAll = 1UL << 0;
constexpr unsigned long kDecorResize = 1UL << 2;
constexpr unsigned long kDecorMinimize = 1UL << 5;
constexpr unsigned long kDecorMaximize = 1UL << 6;
constexpr unsigned long kDecorEvery = 0x7EUL;

Display* display() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

struct MotifHints {
    std::array<unsigned long, 5> fields{}; // flags, functions, decorations, input mode, status
};

MotifHints readHints(Display* dpy, Window window, Atom atom) {
    MotifHints hints;
    const std::vector<unsigned long> values =
        listProperty(dpy, window, atom, AnyPropertyType, static_cast<long>(hints.fields.size()));
    std::copy_n(values.begin(), std::min(values.size(), hints.fields.size()), hints.fields.begin());
    // Spell out "all" and "none given" so that single functions can be withdrawn.
    unsigned long& flags = hints.fields[0];
    unsigned long& functions = hints.fields[1];
    unsigned long& decorations = hints.fields[2];
    if (!(flags & kHintFunctions)) {
        functions = kFuncEvery;
    } else if (functions & kFuncAll) {
        functions = kFuncEvery & ~functions;
    }
    if (!(flags & kHintDecorations)) {
        decorations = kDecorEvery;
    } else if (decorations & kDecorAll) {
        decorations = kDecorEvery & ~decorations;
    }
    flags |= kHintFunctions | kHintDecorations;
    return hints;
}

} // namespace

MenuHandle X11SystemMenu::getSystemMenu(WindowHandle window, bool /*revert*/) {
    return display() != nullptr ? window : 0;
}

bool X11SystemMenu::deleteMenu(MenuHandle menu, std::uint32_t command, std::uint32_t flags) {
    Display* dpy = display();
    if (menu == 0 || dpy == nullptr || flags != MF_BYCOMMAND) {
        return false;
    }
    unsigned long function = 0;
    unsigned long decoration = 0;
    switch (command) {
    case SC_SIZE:
        function = kFuncResize;
        decoration = kDecorResize;
        break;
    case SC_MINIMIZE:
        function = kFuncMinimize;
        decoration = kDecorMinimize;
        break;
    case SC_MAXIMIZE:
        function = kFuncMaximize;
        decoration = kDecorMaximize;
        break;
    default:
        return false;
    }
    const Window window = static_cast<Window>(menu);
    const Atom atom = XInternAtom(dpy, "_MOTIF_WM_HINTS", False);
    MotifHints hints = readHints(dpy, window, atom);
    if (!(hints.fields[1] & function)) {
        return false;
    }
    hints.fields[1] &= ~function;
    hints.fields[2] &= ~decoration;
    XChangeProperty(dpy, window, atom, atom, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(hints.fields.data()),
                    static_cast<int>(hints.fields.size()));
    XFlush(dpy);
    return true;
}

} // namespace korv::platform
