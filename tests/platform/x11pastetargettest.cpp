// SPDX-License-Identifier: GPL-3.0-or-later
// The X11 paste against a private Xvfb, with a stand-in window manager whose Alt+Tab
// works the way common window managers do: a passive grab on Alt+Tab, an active keyboard grab
// taken some time later, and the switch when Alt is released while that grab is held.

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "korvneeds.h"
#include "x11pastetarget.h"

// Last: Xlib's macros (None, Bool ...) clash with the names of the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using korv::platform::X11PasteTarget;

std::string g_display;

// Xvfb on a display number of its own choosing; killed with the test process.
class Xvfb {
public:
    bool start() {
        int fds[2];
        if (pipe(fds) != 0) {
            return false;
        }
        m_pid = fork();
        if (m_pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
                   "640x480x24", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        char c = 0;
        while (read(fds[0], &c, 1) == 1 && c != '\n') {
            number += c;
        }
        close(fds[0]);
        if (m_pid < 0 || number.empty()) {
            return false;
        }
        g_display = ":" + number;
        return true;
    }
    ~Xvfb() {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }

private:
    pid_t m_pid = -1;
};

struct Closer {
    void operator()(Display* dpy) const { XCloseDisplay(dpy); }
};
using Connection = std::unique_ptr<Display, Closer>;

Connection connect() {
    return Connection(XOpenDisplay(g_display.c_str()));
}

void setActive(Display* dpy, Window window) {
    const Atom atom = XInternAtom(dpy, "_NET_ACTIVE_WINDOW", False);
    XChangeProperty(dpy, DefaultRootWindow(dpy), atom, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&window), 1);
}

// Gives `window` the keyboard and says so on the root, as a window manager does.
void focus(Display* dpy, Window window) {
    XSetInputFocus(dpy, window, RevertToParent, CurrentTime);
    setActive(dpy, window);
    XSync(dpy, False);
}

// Switches from the focused window to `next` on Alt+Tab, taking the keyboard `grabDelay` after
// Tab was pressed; an Alt release that comes before its grab goes unseen, as it does for real.
class StandInWindowManager {
public:
    StandInWindowManager(Window next, std::chrono::milliseconds grabDelay)
        : m_dpy(connect())
        , m_next(next)
        , m_grabDelay(grabDelay) {
        Display* dpy = m_dpy.get();
        m_tab = XKeysymToKeycode(dpy, XK_Tab);
        m_alt = XKeysymToKeycode(dpy, XK_Alt_L);
        XGrabKey(dpy, m_tab, Mod1Mask, DefaultRootWindow(dpy), False, GrabModeAsync, GrabModeAsync);
        XSync(dpy, False);
        m_thread = std::thread([this] { run(); });
    }
    ~StandInWindowManager() {
        m_stop = true;
        m_thread.join();
    }
    bool switched() const { return m_switched; }

private:
    void run() {
        Display* dpy = m_dpy.get();
        bool grabbed = false;
        while (!m_stop) {
            while (XPending(dpy) > 0) {
                XEvent event;
                XNextEvent(dpy, &event);
                if (event.type == KeyPress && event.xkey.keycode == m_tab && !grabbed) {
                    std::this_thread::sleep_for(m_grabDelay);
                    grabbed = XGrabKeyboard(dpy, DefaultRootWindow(dpy), False, GrabModeAsync,
                                            GrabModeAsync, CurrentTime) == GrabSuccess;
                    XSync(dpy, False);
                } else if (event.type == KeyRelease && event.xkey.keycode == m_alt && grabbed) {
                    XUngrabKeyboard(dpy, CurrentTime);
                    focus(dpy, m_next);
                    grabbed = false;
                    m_switched = true;
                }
            }
            std::this_thread::sleep_for(1ms);
        }
        if (grabbed) {
            XUngrabKeyboard(dpy, CurrentTime);
        }
        XUngrabKey(dpy, m_tab, Mod1Mask, DefaultRootWindow(dpy));
        XSync(dpy, False);
    }

    Connection m_dpy;
    Window m_next;
    std::chrono::milliseconds m_grabDelay;
    KeyCode m_tab = 0;
    KeyCode m_alt = 0;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_switched{false};
};

// Takes _NET_ACTIVE_WINDOW requests, as the common window managers do: focuses the window asked
// for; then, if told to, holds the keyboard for a while or gives the focus back to `bounceTo`
// (a focus that follows the pointer) some time later. Nothing else is asked of it meanwhile.
class ActivatingWindowManager {
public:
    struct Behaviour {
        std::chrono::milliseconds grabFor{0};
        std::chrono::milliseconds bounceAfter{-1};
    };
    ActivatingWindowManager(Window bounceTo, Behaviour behaviour)
        : m_dpy(connect())
        , m_bounceTo(bounceTo)
        , m_behaviour(behaviour) {
        Display* dpy = m_dpy.get();
        m_active = XInternAtom(dpy, "_NET_ACTIVE_WINDOW", False);
        m_supported = XInternAtom(dpy, "_NET_SUPPORTED", False);
        XChangeProperty(dpy, DefaultRootWindow(dpy), m_supported, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&m_active), 1);
        XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureRedirectMask);
        XSync(dpy, False);
        m_thread = std::thread([this] { run(); });
    }
    ~ActivatingWindowManager() {
        m_stop = true;
        m_thread.join();
        XDeleteProperty(m_dpy.get(), DefaultRootWindow(m_dpy.get()), m_supported);
        XSync(m_dpy.get(), False);
    }
    int requests() const { return m_requests; }

private:
    void run() {
        Display* dpy = m_dpy.get();
        while (!m_stop) {
            while (XPending(dpy) > 0) {
                XEvent event;
                XNextEvent(dpy, &event);
                if (event.type != ClientMessage || event.xclient.message_type != m_active) {
                    continue;
                }
                ++m_requests;
                focus(dpy, event.xclient.window);
                if (m_behaviour.grabFor > 0ms) {
                    XGrabKeyboard(dpy, DefaultRootWindow(dpy), False, GrabModeAsync, GrabModeAsync,
                                  CurrentTime);
                    XSync(dpy, False);
                    std::this_thread::sleep_for(m_behaviour.grabFor);
                    XUngrabKeyboard(dpy, CurrentTime);
                    XSync(dpy, False);
                }
                if (m_behaviour.bounceAfter >= 0ms) {
                    std::this_thread::sleep_for(m_behaviour.bounceAfter);
                    focus(dpy, m_bounceTo);
                }
            }
            std::this_thread::sleep_for(1ms);
        }
    }

    Connection m_dpy;
    Window m_bounceTo;
    Behaviour m_behaviour;
    Atom m_active = 0;
    Atom m_supported = 0;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_requests{0};
};

struct SeenKey {
    Window window;
    bool press;
    KeySym sym;
    bool operator==(const SeenKey&) const = default;
    friend void PrintTo(const SeenKey& key, std::ostream* out) {
        *out << (key.press ? "press " : "release ") << XKeysymToString(key.sym) << " in 0x"
             << std::hex << key.window << std::dec;
    }
};

class X11PasteTargetTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (g_display.empty()) {
            KORV_MISSING("Xvfb");
        }
        m_dpy = connect();
        ASSERT_NE(m_dpy, nullptr);
        Display* dpy = m_dpy.get();
        m_own = window(10);
        m_other = window(200);
        focus(dpy, m_own);
    }

    Window window(int x) {
        Display* dpy = m_dpy.get();
        const Window w = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), x, 10, 100, 100, 0, 0, 0);
        XSelectInput(dpy, w, KeyPressMask | KeyReleaseMask);
        XMapWindow(dpy, w);
        XSync(dpy, False);
        return w;
    }

    std::vector<SeenKey> seenKeys() {
        Display* dpy = m_dpy.get();
        XSync(dpy, False);
        std::vector<SeenKey> seen;
        while (XPending(dpy) > 0) {
            XEvent event;
            XNextEvent(dpy, &event);
            if (event.type == KeyPress || event.type == KeyRelease) {
                seen.push_back(
                    {event.xkey.window, event.type == KeyPress, XLookupKeysym(&event.xkey, 0)});
            }
        }
        return seen;
    }

    bool anyKeyDown() {
        char keys[32] = {};
        XQueryKeymap(m_dpy.get(), keys);
        for (const char byte : keys) {
            if (byte != 0) {
                return true;
            }
        }
        return false;
    }

    // Leaves the V key typing only Cyrillic letters until the test ends.
    void removeV() {
        Display* dpy = m_dpy.get();
        m_vKey = XKeysymToKeycode(dpy, XK_v);
        KeySym syms[] = {XK_Cyrillic_em, XK_Cyrillic_EM};
        XChangeKeyboardMapping(dpy, m_vKey, 2, syms, 1);
        XSync(dpy, False);
    }
    void TearDown() override {
        if (m_vKey != 0) {
            KeySym syms[] = {XK_v, XK_V};
            XChangeKeyboardMapping(m_dpy.get(), m_vKey, 2, syms, 1);
            XSync(m_dpy.get(), False);
        }
    }

    Connection m_dpy;
    Window m_own = 0;
    Window m_other = 0;
    KeyCode m_vKey = 0;
};

TEST_F(X11PasteTargetTest, PasteWaitsForTheWindowManagerAndLandsInTheOtherWindow) {
    // From a window manager that grabs at once to one slower than a burst of keys could wait for.
    for (const auto delay : {0ms, 60ms, 120ms}) {
        SCOPED_TRACE(delay.count());
        focus(m_dpy.get(), m_own);
        seenKeys();
        StandInWindowManager wm(m_other, delay);
        X11PasteTarget target;
        const auto started = Clock::now();
        target.pasteIntoPreviousWindow(m_own);
        EXPECT_LT(Clock::now() - started, delay + 400ms);
        EXPECT_TRUE(wm.switched());

        const std::vector<SeenKey> expected{
            {m_own, true, XK_Alt_L}, {m_other, true, XK_Control_L},  {m_other, true, XK_v},
            {m_other, false, XK_v},  {m_other, false, XK_Control_L},
        };
        EXPECT_EQ(seenKeys(), expected);
        EXPECT_FALSE(anyKeyDown());
    }
}

TEST_F(X11PasteTargetTest, NoSwitchMeansNoPasteAndNoKeyLeftDown) {
    X11PasteTarget target;
    const auto started = Clock::now();
    target.pasteIntoPreviousWindow(m_own);
    const auto took = Clock::now() - started;
    EXPECT_GE(took, X11PasteTarget::kGrabTimeout + X11PasteTarget::kSwitchTimeout);
    EXPECT_LT(took, X11PasteTarget::kGrabTimeout + X11PasteTarget::kSwitchTimeout + 300ms);

    // With nobody taking Alt+Tab, the switch keys reach our own window and nothing else does.
    const std::vector<SeenKey> expected{
        {m_own, true, XK_Alt_L},
        {m_own, true, XK_Tab},
        {m_own, false, XK_Tab},
        {m_own, false, XK_Alt_L},
    };
    EXPECT_EQ(seenKeys(), expected);
    EXPECT_FALSE(anyKeyDown());
}

TEST_F(X11PasteTargetTest, WithoutAVKeyTheSwitchHappensAndOnlyCtrlFollows) {
    removeV();
    StandInWindowManager wm(m_other, 0ms);
    X11PasteTarget target;
    target.pasteIntoPreviousWindow(m_own);
    EXPECT_TRUE(wm.switched());
    const std::vector<SeenKey> expected{
        {m_own, true, XK_Alt_L},
        {m_other, true, XK_Control_L},
        {m_other, false, XK_Control_L},
    };
    EXPECT_EQ(seenKeys(), expected);
    EXPECT_FALSE(anyKeyDown());
}

// The last row: a Cyrillic group active, the Latin one second, and the user still holds Shift;
// the core map names the V key by its first group's letter.
TEST_F(X11PasteTargetTest, TheWindowUsedBeforeIsActivatedDirectlyAndPastedOnceSettled) {
    const auto layout = [](const char* layouts) {
        return std::system(("setxkbmap -display " + g_display + " -layout " + layouts).c_str());
    };
    const std::vector<SeenKey> pasted{{m_other, true, XK_Control_L},
                                      {m_other, true, XK_v},
                                      {m_other, false, XK_v},
                                      {m_other, false, XK_Control_L}};
    const struct {
        const char* what;
        ActivatingWindowManager::Behaviour behaviour;
        bool shiftHeldInRussian;
        std::vector<SeenKey> seen; // none: the paste did not land
    } cases[] = {
        {"plain", {}, false, pasted},
        {"a switcher still holds the keyboard", {100ms, -1ms}, false, pasted},
        {"the focus comes back to the window under the pointer", {0ms, 5ms}, false, {}},
        {"Shift held, V in another group",
         {},
         true,
         {{m_other, false, XK_Shift_L},
          {m_other, true, XK_Control_L},
          {m_other, true, XK_Cyrillic_em},
          {m_other, false, XK_Cyrillic_em},
          {m_other, false, XK_Control_L}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Display* dpy = m_dpy.get();
        X11PasteTarget target;
        // The user works in the other window, then clicks in ours.
        for (const Window w : {m_other, m_own}) {
            focus(dpy, w);
            QCoreApplication::processEvents();
        }
        if (c.shiftHeldInRussian) {
            ASSERT_EQ(layout("ru,us"), 0);
            XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, XK_Shift_L), True, CurrentTime);
        }
        seenKeys();
        ActivatingWindowManager wm(m_own, c.behaviour);
        const auto started = Clock::now();
        EXPECT_EQ(target.pasteIntoPreviousWindow(m_own), !c.seen.empty());
        const auto took = Clock::now() - started;
        EXPECT_EQ(wm.requests(), 1);
        EXPECT_GE(took, c.behaviour.grabFor);
        EXPECT_LT(took, X11PasteTarget::kSwitchTimeout + X11PasteTarget::kSteadyTimeout + 100ms);
        const std::vector<SeenKey> seen = seenKeys();
        if (c.shiftHeldInRussian) {
            EXPECT_EQ(layout("us"), 0);
        }
        EXPECT_EQ(seen, c.seen);
        EXPECT_FALSE(anyKeyDown());
    }
}

TEST_F(X11PasteTargetTest, AWindowThatIsGoneSendsNothing) {
    X11PasteTarget target;
    const Window gone = m_other;
    XDestroyWindow(m_dpy.get(), gone);
    XSync(m_dpy.get(), False);
    const auto started = Clock::now();
    target.pasteIntoPreviousWindow(gone);
    EXPECT_LT(Clock::now() - started, 200ms);
    EXPECT_EQ(seenKeys(), std::vector<SeenKey>{});
    EXPECT_FALSE(anyKeyDown());
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    Xvfb server;
    std::unique_ptr<QGuiApplication> app;
    if (server.start()) {
        setenv("DISPLAY", g_display.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        g_display.clear();
    }
    return RUN_ALL_TESTS();
}
