// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11pastetarget.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <poll.h>
#include <xcb/xcb.h>

#include "x11property.h"
#include "xtestkeys.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <iterator>
#include <optional>

namespace korv::platform {
namespace {

using Clock = std::chrono::steady_clock;

// The keys that switch back (Alt+Tab) and those that paste (Ctrl+V), by their symbols: found in
// whichever layout is in use.
struct Key {
    KeySym sym;
    bool press;
};
constexpr Key kSwitchKeys[] = {
    {XK_Alt_L, true}, {XK_Tab, true}, {XK_Tab, false}, {XK_Alt_L, false}};
constexpr Key kPasteKeys[] = {
    {XK_Control_L, true}, {XK_v, true}, {XK_v, false}, {XK_Control_L, false}};

// How many earlier active windows are remembered, in case the latest one has gone.
constexpr std::size_t kRecentWindows = 8;

Display* qtDisplay() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

// A window of this program (the main window, the About window ...), never a paste target.
bool isOwnWindow(unsigned long window) {
    const auto windows = QGuiApplication::allWindows();
    return std::any_of(windows.begin(), windows.end(), [window](const QWindow* w) {
        return w->handle() != nullptr && w->winId() == window;
    });
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

    // The key that types sym at the lowest level, in the group in use or else in the first
    // other group that has it: applications match Ctrl+V by the Latin key of any group, so
    // pasting works while a Cyrillic or Greek group is active.
    std::optional<KeyLocation> find(KeySym sym) const {
        if (m_xkb == nullptr) {
            const KeyCode code = XKeysymToKeycode(m_dpy, sym);
            return code != 0 ? std::optional<KeyLocation>({code, 0}) : std::nullopt;
        }
        if (auto found = findInGroup(sym, -1)) {
            return found;
        }
        for (int group = 0; group < XkbNumKbdGroups; ++group) {
            if (auto found = findInGroup(sym, group)) {
                return found;
            }
        }
        return std::nullopt;
    }

private:
    // group -1 is the group in use, which each key maps into its own groups.
    std::optional<KeyLocation> findInGroup(KeySym sym, int wanted) const {
        std::optional<KeyLocation> found;
        for (int code = m_xkb->min_key_code; code <= m_xkb->max_key_code; ++code) {
            const int groups = XkbKeyNumGroups(m_xkb, code);
            if (groups == 0 || wanted >= groups) {
                continue;
            }
            const int group = wanted < 0 ? m_group % groups : wanted;
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

    Display* m_dpy;
    XkbDescPtr m_xkb;
    int m_group = 0;
};

// The core map may know a key the layout's groups lack; 0 where no key types sym.
KeyCode keycodeFor(Display* dpy, const Layout& layout, KeySym sym) {
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
    Watcher(Display* dpy, Window own, XTestKeys keys)
        : m_dpy(dpy)
        , m_keys(keys)
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

    // The first of the candidates that still is a window the window manager manages.
    Window pickTarget(const std::vector<unsigned long>& candidates) {
        const Atom clientList = XInternAtom(m_dpy, "_NET_CLIENT_LIST", False);
        const std::vector<unsigned long> managed =
            listProperty(m_dpy, m_root, clientList, XA_WINDOW);
        for (const unsigned long candidate : candidates) {
            if (candidate == m_own) {
                continue;
            }
            if (managed.empty()
                    ? exists(candidate)
                    : std::find(managed.begin(), managed.end(), candidate) != managed.end()) {
                return candidate;
            }
        }
        return None;
    }

    // Whether the window manager takes _NET_ACTIVE_WINDOW requests.
    bool activatesOnRequest() {
        const Atom supported = XInternAtom(m_dpy, "_NET_SUPPORTED", False);
        const std::vector<unsigned long> atoms = listProperty(m_dpy, m_root, supported, XA_ATOM);
        return std::find(atoms.begin(), atoms.end(), m_activeAtom) != atoms.end();
    }

    void requestActivation(Window target) { platform::requestActivation(m_dpy, target, m_own); }

    // A key the layout has no keycode for (0) is left out.
    void send(KeyCode code, bool press) {
        if (code == 0) {
            return;
        }
        m_keys.send(code, press);
        std::erase(m_held, code);
        if (press) {
            m_held.push_back(code);
        }
    }

    // The window manager holds the keyboard after Alt+Tab: a grab that Tab's release did not
    // end at once, as it ends the passive grab of the binding. One that switches at once and
    // takes no grab has changed the active window instead.
    bool waitForGrab(Clock::duration timeout) {
        return waitFor(timeout, [this] { return m_grabbed || m_activeChanged; });
    }

    // Another window than ours (target, if given) is active and has the keyboard focus; with
    // no target, only once the active window has changed.
    bool waitForSwitch(Window target, Clock::duration timeout) {
        return waitFor(timeout, [&] {
            return (target != None || m_activeChanged) && focusedTarget(target) != None;
        });
    }

    // The switch has come to rest: the focus has stayed in the new window for the settle time
    // and no client (a window switcher still closing) holds the keyboard. Only ever probed
    // once Alt is up: a grab of ours while a switcher runs would take the keyboard from it.
    bool waitForSteadyFocus(Window target, Clock::duration settle, Clock::duration timeout) {
        std::optional<Clock::time_point> since;
        Window held = None;
        return waitFor(
            timeout,
            [&] {
                const Window now = focusedTarget(target);
                if (now == None || now != held || !keyboardFree()) {
                    held = now;
                    since.reset();
                    return false;
                }
                if (!since) {
                    since = Clock::now();
                }
                return Clock::now() - *since >= settle;
            },
            std::chrono::milliseconds(5));
    }

    // Modifiers the user still holds would make Ctrl+V another shortcut: let them go, and press
    // none of them again afterwards, which could retype or repeat something.
    void releaseHeldModifiers() {
        char keys[32] = {};
        XQueryKeymap(m_dpy, keys);
        XModifierKeymap* modifiers = XGetModifierMapping(m_dpy);
        if (modifiers == nullptr) {
            return;
        }
        for (int i = 0; i < 8 * modifiers->max_keypermod; ++i) {
            const KeyCode code = modifiers->modifiermap[i];
            // Lock modifiers (Caps Lock, Num Lock) do not change a shortcut and stay as they are.
            const int modifier = i / modifiers->max_keypermod;
            if (code != 0 && modifier != LockMapIndex && modifier != Mod2MapIndex &&
                (keys[code / 8] & (1 << (code % 8))) != 0) {
                m_keys.send(code, false);
                keys[code / 8] = static_cast<char>(keys[code / 8] & ~(1 << (code % 8)));
            }
        }
        XFreeModifiermap(modifiers);
    }

    void releaseAll() {
        while (!m_held.empty()) {
            m_keys.send(m_held.back(), false);
            m_held.pop_back();
        }
        XSync(m_dpy, False);
    }

private:
    template <typename Done>
    bool waitFor(Clock::duration timeout, Done done,
                 std::optional<std::chrono::milliseconds> recheck = std::nullopt) {
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
            auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) {
                return false;
            }
            if (recheck) {
                left = std::min<long>(left, recheck->count());
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

    bool exists(Window window) {
        const int before = g_errors;
        XWindowAttributes attributes;
        return XGetWindowAttributes(m_dpy, window, &attributes) != 0 && g_errors == before;
    }

    Window activeWindow() {
        const std::vector<unsigned long> active =
            listProperty(m_dpy, m_root, m_activeAtom, XA_WINDOW);
        return active.empty() ? None : static_cast<Window>(active.front());
    }

    // The active window when it is another than ours (target, if given) and the keyboard
    // focus lies in it; None otherwise. Some window managers name the new window before they
    // move the focus.
    Window focusedTarget(Window target) {
        const Window active = activeWindow();
        if (active == None || active == m_own || (target != None && active != target)) {
            return None;
        }
        Window focus = None;
        int revert = 0;
        XGetInputFocus(m_dpy, &focus, &revert);
        return within(focus, active) ? active : None;
    }

    bool within(Window window, Window ancestor) {
        const int before = g_errors;
        while (window != None && window != PointerRoot && window != m_root) {
            if (window == ancestor) {
                return true;
            }
            Window root = None;
            Window parent = None;
            Window* children = nullptr;
            unsigned int count = 0;
            if (XQueryTree(m_dpy, window, &root, &parent, &children, &count) == 0 ||
                g_errors != before) {
                return false;
            }
            if (children != nullptr) {
                XFree(children);
            }
            window = parent;
        }
        return false;
    }

    // No other client holds the keyboard: our own grab would succeed. Released at once.
    bool keyboardFree() {
        if (XGrabKeyboard(m_dpy, m_root, False, GrabModeAsync, GrabModeAsync, CurrentTime) !=
            GrabSuccess) {
            return false;
        }
        XUngrabKeyboard(m_dpy, CurrentTime);
        XSync(m_dpy, False);
        return true;
    }

    Display* m_dpy;
    XTestKeys m_keys;
    Window m_own;
    Window m_root;
    Atom m_activeAtom;
    std::vector<KeyCode> m_held;
    bool m_grabbed = false;
    bool m_activeChanged = false;
};

} // namespace

X11PasteTarget::X11PasteTarget() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->display() == nullptr) {
        return;
    }
    Display* dpy = x11->display();
    internStartAtoms(dpy);
    const Window root = DefaultRootWindow(dpy);
    m_root = static_cast<std::uint32_t>(root);
    m_activeAtom = static_cast<std::uint32_t>(XInternAtom(dpy, "_NET_ACTIVE_WINDOW", False));
    // By the time the user pastes, this program is the active one: what was active before must
    // be followed from the start. Both questions leave ahead of the window's map, so their
    // answers tell the state before it, and are read once the map has gone out.
    m_connection = x11->connection();
    m_rootAttributes = xcb_get_window_attributes(m_connection, m_root).sequence;
    m_startActive = std::make_unique<PendingProperty>(m_connection, root, m_activeAtom, XA_WINDOW);
    QCoreApplication::instance()->installNativeEventFilter(this);
    m_afterMap = QObject::connect(QAbstractEventDispatcher::instance(),
                                  &QAbstractEventDispatcher::aboutToBlock, [this] { takeStart(); });
}

void X11PasteTarget::takeStart() {
    if (!m_startActive) {
        return;
    }
    QObject::disconnect(m_afterMap);
    // Qt may listen to the root window already; keep what it asked.
    xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes_cookie_t{m_rootAttributes}, nullptr);
    if (attributes != nullptr) {
        const std::uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        std::free(attributes);
    }
    const std::unique_ptr<PendingProperty> active = std::move(m_startActive);
    noteActive(active->take());
}

X11PasteTarget::~X11PasteTarget() {
    QObject::disconnect(m_afterMap);
    if (m_startActive) {
        xcb_discard_reply(m_connection, m_rootAttributes);
    }
    if (m_activeAtom != 0 && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool X11PasteTarget::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
        const auto* property = static_cast<const xcb_property_notify_event_t*>(message);
        if (property->window == m_root && property->atom == m_activeAtom) {
            takeStart();
            noteActiveWindow();
        }
    }
    return false;
}

void X11PasteTarget::noteActiveWindow() {
    Display* dpy = qtDisplay();
    if (dpy == nullptr) {
        return;
    }
    noteActive(
        listProperty(dpy, static_cast<Window>(m_root), static_cast<Atom>(m_activeAtom), XA_WINDOW));
}

void X11PasteTarget::noteActive(const std::vector<unsigned long>& active) {
    if (active.empty() || active.front() == None || isOwnWindow(active.front())) {
        return;
    }
    std::erase(m_recent, active.front());
    m_recent.insert(m_recent.begin(), active.front());
    if (m_recent.size() > kRecentWindows) {
        m_recent.pop_back();
    }
}

bool X11PasteTarget::pasteIntoPreviousWindow(std::uintptr_t own) {
    Display* qt = qtDisplay();
    if (qt == nullptr || own == 0) {
        return false;
    }
    takeStart();
    Display* dpy = XOpenDisplay(DisplayString(qt));
    if (dpy == nullptr) {
        return false;
    }
    bool pasted = false;
    XErrorHandler previous = XSetErrorHandler(countError);
    if (const std::optional<XTestKeys> keys = XTestKeys::on(dpy)) {
        const Layout layout(dpy);
        std::array<KeyCode, 4> switchCodes{};
        std::array<KeyCode, 4> pasteCodes{};
        const auto codeOf = [&](const Key& key) { return keycodeFor(dpy, layout, key.sym); };
        std::transform(std::begin(kSwitchKeys), std::end(kSwitchKeys), switchCodes.begin(), codeOf);
        std::transform(std::begin(kPasteKeys), std::end(kPasteKeys), pasteCodes.begin(), codeOf);
        Watcher watcher(dpy, static_cast<Window>(own), *keys);
        if (watcher.start()) {
            bool switched = false;
            Window target = None;
            if (watcher.activatesOnRequest()) {
                target = watcher.pickTarget(m_recent);
            }
            if (target != None) {
                // Straight to the window the user left: no window switcher to wait for, and no
                // doubt about which window comes next in its order.
                watcher.requestActivation(target);
                switched = watcher.waitForSwitch(target, kSwitchTimeout);
            } else if (std::all_of(switchCodes.begin(), switchCodes.end(),
                                   [](KeyCode code) { return code != 0; })) {
                // Sent as one burst, the events reach this very window: the window manager
                // takes the keyboard only some time after Alt+Tab, and a paste before the
                // switch would land in the composition line. So each half waits for the effect
                // of the one before, within bounds.
                for (std::size_t i = 0; i < 3; ++i) {
                    watcher.send(switchCodes[i], kSwitchKeys[i].press);
                }
                watcher.waitForGrab(kGrabTimeout);
                watcher.send(switchCodes[3], kSwitchKeys[3].press);
                switched = watcher.waitForSwitch(None, kSwitchTimeout);
            }
            const auto settle = target != None ? kDirectSettle : kSettle;
            if (switched && watcher.waitForSteadyFocus(target, settle, kSteadyTimeout)) {
                watcher.releaseHeldModifiers();
                // A layout without a V key still gets Ctrl, harmlessly alone.
                for (std::size_t i = 0; i < pasteCodes.size(); ++i) {
                    watcher.send(pasteCodes[i], kPasteKeys[i].press);
                }
                pasted = true;
            }
        }
    } // the watcher releases whatever is still held
    XSetErrorHandler(previous);
    XCloseDisplay(dpy);
    return pasted;
}

void X11PasteTarget::pasteIntoPreviousWindow(std::uintptr_t own, Done done) {
    done(pasteIntoPreviousWindow(own) ? PasteResult::Pasted : PasteResult::NotSwitched);
}

} // namespace korv::platform
