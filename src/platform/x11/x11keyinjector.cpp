#include "x11keyinjector.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <vector>

namespace korv::platform {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint8_t kVkTab = 0x09;
constexpr std::uint8_t kVkShift = 0x10;
constexpr std::uint8_t kVkControl = 0x11;
constexpr std::uint8_t kVkMenu = 0x12;
constexpr std::uint8_t kVkSpace = 0x20;

// The shift-state byte of a key scan, by the level at which the key types the character:
// none, Shift, and AltGr (reported as Ctrl+Alt) with or without Shift.
constexpr std::int16_t kShiftByLevel[] = {0, 1, 6, 7};

Display* qtDisplay() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

struct KeyLocation {
    KeyCode code = 0;
    int level = 0;
};

// The keyboard layout as it stands: its key map and the group in use.
class Layout {
public:
    explicit Layout(Display* dpy)
        : m_dpy(dpy)
        , m_xkb(XkbGetMap(dpy, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd)) {
        XkbStateRec state{};
        if (m_xkb != nullptr && XkbGetState(dpy, XkbUseCoreKbd, &state) == Success) {
            m_group = state.group;
        }
    }
    ~Layout() {
        if (m_xkb != nullptr) {
            XkbFreeKeyboard(m_xkb, 0, True);
        }
    }
    Layout(const Layout&) = delete;
    Layout& operator=(const Layout&) = delete;

    // The key that types sym in the current group, at the lowest level that has it.
    std::optional<KeyLocation> find(KeySym sym) const {
        if (m_xkb == nullptr) {
            const KeyCode code = XKeysymToKeycode(m_dpy, sym);
            return code != 0 ? std::optional<KeyLocation>({code, 0}) : std::nullopt;
        }
        std::optional<KeyLocation> found;
        for (int code = m_xkb->min_key_code; code <= m_xkb->max_key_code; ++code) {
            const int groups = XkbKeyNumGroups(m_xkb, code);
            if (groups == 0) {
                continue;
            }
            const int group = m_group % groups;
            const int width = XkbKeyGroupWidth(m_xkb, code, group);
            for (int level = 0; level < width && (!found || level < found->level); ++level) {
                if (XkbKeySymEntry(m_xkb, code, level, group) == sym) {
                    found = KeyLocation{static_cast<KeyCode>(code), level};
                    break;
                }
            }
        }
        return found;
    }

private:
    Display* m_dpy;
    XkbDescPtr m_xkb;
    int m_group = 0;
};

// The keysym whose key a virtual-key code stands for; NoSymbol for keys the program never sends.
KeySym keysymForVk(std::uint8_t vk) {
    switch (vk) {
    case kVkTab:
        return XK_Tab;
    case kVkShift:
        return XK_Shift_L;
    case kVkControl:
        return XK_Control_L;
    case kVkMenu:
        return XK_Alt_L;
    case kVkSpace:
        return XK_space;
    default:
        break;
    }
    if (vk >= 'A' && vk <= 'Z') {
        return XK_a + (vk - 'A');
    }
    if (vk >= '0' && vk <= '9') {
        return XK_0 + (vk - '0');
    }
    return NoSymbol;
}

// The core map may know a key the current group lacks, such as a modifier defined in one group.
KeyCode keycodeForVk(Display* dpy, const Layout& layout, std::uint8_t vk) {
    const KeySym sym = keysymForVk(vk);
    if (sym == NoSymbol) {
        return 0;
    }
    if (const auto key = layout.find(sym)) {
        return key->code;
    }
    return XKeysymToKeycode(dpy, sym);
}

// Errors on our own connection (a window gone meanwhile) must not end the program, which is
// what Xlib's default handler does.
int g_errors = 0;
int countError(Display*, XErrorEvent*) {
    ++g_errors;
    return 0;
}

// A connection of our own, so that waiting for the window manager reads only the events we
// asked for and leaves Qt's queue alone.
class Watcher {
public:
    Watcher(Display* dpy, Window own)
        : m_dpy(dpy)
        , m_own(own)
        , m_root(DefaultRootWindow(dpy))
        , m_activeAtom(XInternAtom(dpy, "_NET_ACTIVE_WINDOW", False)) {}
    ~Watcher() { releaseAll(); }
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;

    bool start() {
        g_errors = 0;
        XSelectInput(m_dpy, m_own, FocusChangeMask);
        XSelectInput(m_dpy, m_root, PropertyChangeMask);
        XSync(m_dpy, False);
        return g_errors == 0;
    }

    // A key the layout has no keycode for (0) is left out.
    void send(KeyCode code, const KeyEvent& event) {
        if (code == 0) {
            return;
        }
        const bool press = (event.flags & KEYEVENTF_KEYUP) == 0;
        XTestFakeKeyEvent(m_dpy, code, press ? True : False, CurrentTime);
        std::erase(m_held, code);
        if (press) {
            m_held.push_back(code);
        }
    }

    // The window manager holds the keyboard: a grab that Tab's release did not end at once,
    // as it ends the passive grab of the window manager's Alt+Tab binding.
    bool waitForGrab(Clock::duration timeout) {
        return waitFor(timeout, [this] { return m_grabbed; });
    }

    // Another window than ours is active and has the keyboard.
    bool waitForSwitch(Clock::duration timeout) {
        return waitFor(timeout, [this] { return m_activeChanged && otherWindowActive(); });
    }

    void releaseAll() {
        while (!m_held.empty()) {
            XTestFakeKeyEvent(m_dpy, m_held.back(), False, CurrentTime);
            m_held.pop_back();
        }
        XSync(m_dpy, False);
    }

private:
    template <typename Done> bool waitFor(Clock::duration timeout, Done done) {
        const Clock::time_point deadline = Clock::now() + timeout;
        // Whatever the server did with our keys so far is in the queue after the round trip.
        XSync(m_dpy, False);
        while (true) {
            while (XPending(m_dpy) > 0) {
                XEvent event;
                XNextEvent(m_dpy, &event);
                take(event);
            }
            if (done()) {
                return true;
            }
            // The round trips of done() may have read events that poll() would never see.
            if (XQLength(m_dpy) > 0) {
                continue;
            }
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) {
                return false;
            }
            pollfd fd{ConnectionNumber(m_dpy), POLLIN, 0};
            if (poll(&fd, 1, static_cast<int>(left)) < 0 && errno != EINTR) {
                return false;
            }
        }
    }

    void take(const XEvent& event) {
        if (event.type == FocusOut && event.xfocus.window == m_own &&
            event.xfocus.mode == NotifyGrab) {
            m_grabbed = true;
        } else if (event.type == FocusIn && event.xfocus.window == m_own &&
                   event.xfocus.mode == NotifyUngrab) {
            m_grabbed = false;
        } else if (event.type == PropertyNotify && event.xproperty.window == m_root &&
                   event.xproperty.atom == m_activeAtom) {
            m_activeChanged = true;
        }
    }

    bool otherWindowActive() {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        Window active = None;
        if (XGetWindowProperty(m_dpy, m_root, m_activeAtom, 0, 1, False, XA_WINDOW, &type, &format,
                               &count, &after, &data) == Success &&
            data != nullptr && format == 32 && count == 1) {
            active = static_cast<Window>(*reinterpret_cast<const unsigned long*>(data));
        }
        if (data != nullptr) {
            XFree(data);
        }
        if (active == None || active == m_own) {
            return false;
        }
        // Some window managers name the new window before they move the keyboard focus.
        Window focus = None;
        int revert = 0;
        XGetInputFocus(m_dpy, &focus, &revert);
        return focus != m_own;
    }

    Display* m_dpy;
    Window m_own;
    Window m_root;
    Atom m_activeAtom;
    std::vector<KeyCode> m_held;
    bool m_grabbed = false;
    bool m_activeChanged = false;
};

} // namespace

std::int16_t X11KeyInjector::vkKeyScanA(char ch) {
    Display* dpy = qtDisplay();
    const auto c = static_cast<unsigned char>(ch);
    std::uint8_t vk = 0;
    if (c >= 'A' && c <= 'Z') {
        vk = c;
    } else if (c >= 'a' && c <= 'z') {
        vk = static_cast<std::uint8_t>(c - 'a' + 'A');
    } else if ((c >= '0' && c <= '9') || c == ' ') {
        vk = c;
    }
    if (dpy == nullptr || vk == 0) {
        return -1;
    }
    // Latin-1 characters are their own keysyms.
    const auto key = Layout(dpy).find(static_cast<KeySym>(c));
    if (!key || key->level >= static_cast<int>(std::size(kShiftByLevel))) {
        return -1;
    }
    return static_cast<std::int16_t>((kShiftByLevel[key->level] << 8) | vk);
}

bool X11KeyInjector::sendAutoPaste(const std::array<KeyEvent, 8>& events, WindowHandle own) {
    Display* qt = qtDisplay();
    if (qt == nullptr || own == 0) {
        return false;
    }
    Display* dpy = XOpenDisplay(DisplayString(qt));
    if (dpy == nullptr) {
        return false;
    }
    bool pasted = false;
    XErrorHandler previous = XSetErrorHandler(countError);
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (XTestQueryExtension(dpy, &eventBase, &errorBase, &major, &minor)) {
        const Layout layout(dpy);
        std::array<KeyCode, 8> codes{};
        std::transform(events.begin(), events.end(), codes.begin(),
                       [&](const KeyEvent& event) { return keycodeForVk(dpy, layout, event.vk); });
        Watcher watcher(dpy, static_cast<Window>(own));
        // Sent as one burst, the events reach this very window: the window manager takes the
        // keyboard only some time after Alt+Tab, and a paste before the switch would land in the
        // composition line. So each half waits for the effect of the one before, within bounds.
        const bool canSwitch =
            std::all_of(codes.begin(), codes.begin() + 4, [](KeyCode code) { return code != 0; });
        if (canSwitch && watcher.start()) {
            for (std::size_t i = 0; i < 3; ++i) {
                watcher.send(codes[i], events[i]);
            }
            watcher.waitForGrab(kGrabTimeout);
            watcher.send(codes[3], events[3]);
            if (watcher.waitForSwitch(kSwitchTimeout)) {
                for (std::size_t i = 4; i < events.size(); ++i) {
                    watcher.send(codes[i], events[i]);
                }
                pasted = true;
            }
        }
    } // the watcher releases whatever is still held
    XSetErrorHandler(previous);
    XCloseDisplay(dpy);
    return pasted;
}

} // namespace korv::platform
