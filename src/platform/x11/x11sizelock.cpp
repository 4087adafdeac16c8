// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11sizelock.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace {
// Named before Xlib's Expose macro hides Qt's name for it.
constexpr QEvent::Type kExposeEvent = QEvent::Expose;
} // namespace

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "x11property.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <string_view>
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

std::vector<unsigned long> supportingCheck(Display* dpy) {
    return listProperty(dpy, DefaultRootWindow(dpy),
                        XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False), XA_WINDOW, 1);
}

// The name the window manager gives itself on its check window.
bool windowManagerIsKWin(Display* dpy, const std::vector<unsigned long>& check) {
    if (check.empty()) {
        return false;
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    if (XGetWindowProperty(dpy, static_cast<Window>(check.front()),
                           XInternAtom(dpy, "_NET_WM_NAME", False), 0, 16, False, utf8, &type,
                           &format, &count, &after, &data) != Success) {
        return false;
    }
    const bool kwin = data != nullptr && format == 8 &&
                      std::string_view(reinterpret_cast<const char*>(data), count) == "KWin";
    if (data != nullptr) {
        XFree(data);
    }
    return kwin;
}

} // namespace

// KWin offers Minimize to a window for being a normal window or a dialog, reading nothing of
// the Motif functions; a utility window it offers only Move and Close, as the hints ask. The
// type is set as the window is shown, before it is mapped, which is when KWin reads it.
class X11SizeLock::KWinTyping final : public QObject {
public:
    KWinTyping() {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (x11 != nullptr && x11->display() != nullptr) {
            // Asked now, so that the first window's showing finds the answer waiting.
            Display* dpy = x11->display();
            internStartAtoms(dpy);
            m_startCheck.emplace(x11->connection(), DefaultRootWindow(dpy),
                                 XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False), XA_WINDOW);
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            shown(*static_cast<const QWidget*>(watched));
        } else if (event->type() == kExposeEvent && watched->isWindowType()) {
            exposed(*static_cast<const QWindow*>(watched));
        }
        return false;
    }

private:
    void shown(const QWidget& widget) {
        Display* dpy = display();
        // Menus, pop-ups and tooltips are no business of the window manager's.
        const Qt::WindowType type = widget.windowType();
        if ((type != Qt::Window && type != Qt::Dialog) || dpy == nullptr ||
            !widget.testAttribute(Qt::WA_WState_Created)) {
            return;
        }
        // Not in a Wayland session: KWin's Alt+Tab leaves utility windows out, and from one it
        // may switch to another window than the one used before, where the paste would land.
        if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
            return;
        }
        const std::vector<unsigned long> check =
            m_startCheck && m_startCheck->pending() ? m_startCheck->take() : supportingCheck(dpy);
        if (!windowManagerIsKWin(dpy, check)) {
            return;
        }
        const Window window = static_cast<Window>(widget.winId());
        const Atom motif = XInternAtom(dpy, "_MOTIF_WM_HINTS", False);
        const std::vector<unsigned long> hints =
            listProperty(dpy, window, motif, AnyPropertyType, 2);
        if (hints.size() < 2 || !(hints[0] & kHintFunctions) || (hints[1] & kFuncAll) ||
            (hints[1] & kFuncMinimize)) {
            return;
        }
        const Atom types[] = {XInternAtom(dpy, "_NET_WM_WINDOW_TYPE_UTILITY", False),
                              XInternAtom(dpy, "_NET_WM_WINDOW_TYPE_NORMAL", False)};
        XChangeProperty(dpy, window, XInternAtom(dpy, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(types), 2);
        XFlush(dpy);
        m_awaitingFocus.insert(window);
    }

    // KWin gives the keyboard to a new normal window, not to a utility window: it is asked for,
    // on behalf of the user who started or restored it, once KWin has taken the window on and
    // shows it.
    void exposed(const QWindow& shownWindow) {
        const auto window = static_cast<Window>(shownWindow.winId());
        Display* dpy = display();
        if (!shownWindow.isExposed() || m_awaitingFocus.erase(window) == 0 || dpy == nullptr) {
            return;
        }
        requestActivation(dpy, window);
    }

    std::optional<PendingProperty> m_startCheck;
    std::set<Window> m_awaitingFocus;
};

X11SizeLock::X11SizeLock() {
    if (qApp != nullptr) {
        m_kwinTyping = std::make_unique<KWinTyping>();
        qApp->installEventFilter(m_kwinTyping.get());
    }
}

X11SizeLock::~X11SizeLock() = default;

void X11SizeLock::lock(WindowHandle handle) {
    Display* dpy = display();
    if (handle == 0 || dpy == nullptr) {
        return;
    }
    const Window window = static_cast<Window>(handle);
    const Atom atom = XInternAtom(dpy, "_MOTIF_WM_HINTS", False);
    MotifHints hints = readHints(dpy, window, atom);
    hints.fields[1] &= ~(kFuncResize | kFuncMinimize | kFuncMaximize);
    hints.fields[2] &= ~(kDecorResize | kDecorMinimize | kDecorMaximize);
    XChangeProperty(dpy, window, atom, atom, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(hints.fields.data()),
                    static_cast<int>(hints.fields.size()));
    XFlush(dpy);
}

} // namespace korv::platform
