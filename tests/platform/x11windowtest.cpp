// SPDX-License-Identifier: GPL-3.0-or-later
// The size lock and the About requests against the private Xvfb that x11pastetargettest.cpp's
// main starts.

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <memory>
#include <vector>

#include "korvneeds.h"
#include "x11aboutrequests.h"
#include "x11windowplacement.h"

// Last: Xlib's macros (None, Bool ...) clash with the names of the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

using korv::platform::WindowHandle;

struct Closer {
    void operator()(Display* dpy) const { XCloseDisplay(dpy); }
};

class X11WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (qGuiApp == nullptr) {
            KORV_MISSING("Xvfb");
        }
        m_dpy.reset(XOpenDisplay(nullptr));
        ASSERT_NE(m_dpy, nullptr);
        m_window.create();
        m_handle = static_cast<WindowHandle>(m_window.winId());
        m_hints = XInternAtom(m_dpy.get(), "_MOTIF_WM_HINTS", False);
    }

    void setHints(const std::vector<long>& fields) {
        const Window window = static_cast<Window>(m_handle);
        if (fields.empty()) {
            XDeleteProperty(m_dpy.get(), window, m_hints);
        } else {
            XChangeProperty(m_dpy.get(), window, m_hints, m_hints, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(fields.data()),
                            static_cast<int>(fields.size()));
        }
        XSync(m_dpy.get(), False);
    }

    // flags, functions, decorations
    std::array<unsigned long, 3> hints() {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        std::array<unsigned long, 3> found{};
        if (XGetWindowProperty(m_dpy.get(), static_cast<Window>(m_handle), m_hints, 0, 5, False,
                               AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
            data != nullptr) {
            const auto* values = reinterpret_cast<const unsigned long*>(data);
            for (unsigned long i = 0; i < count && i < found.size(); ++i) {
                found[i] = values[i];
            }
            XFree(data);
        }
        return found;
    }

    std::unique_ptr<Display, Closer> m_dpy;
    QWindow m_window;
    WindowHandle m_handle = 0;
    Atom m_hints = 0;
};

// Whatever the window asked for before, the lock leaves moving and closing, and the title bar
// without the resize, minimise and maximise buttons.
TEST_F(X11WindowTest, TheLockWithdrawsResizeMinimiseAndMaximiseOnly) {
    constexpr unsigned long kMoveClose = 0x04 | 0x20;
    constexpr unsigned long kBorderTitleMenu = 0x02 | 0x08 | 0x10;
    const struct {
        const char* what;
        std::vector<long> before;
    } cases[] = {
        {"no hints", {}},
        {"everything but minimise, as 'all' less it", {1 | 2, 0x01 | 0x08, 0x01, 0, 0}},
        {"move, close and resize named", {1, 0x04 | 0x20 | 0x02, 0, 0, 0}},
    };
    korv::platform::X11WindowPlacement placement;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        setHints(c.before);
        placement.lockSize(m_handle);
        // The lock goes out on Qt's connection: once that is through, ours reads after it.
        XSync(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display(), False);
        EXPECT_EQ(hints(), (std::array<unsigned long, 3>{3, kMoveClose, kBorderTitleMenu}));
    }
}

TEST_F(X11WindowTest, OnlyTheAboutCommandToAWatchedWindowIsARequest) {
    korv::platform::X11AboutRequests requests;
    int heard = 0;
    requests.watch(m_handle, [&] { ++heard; });
    QWindow other;
    other.create();
    const auto send = [&](WId window, long command) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = static_cast<Window>(window);
        event.xclient.message_type = XInternAtom(m_dpy.get(), "KORVANI_SYSCOMMAND", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = command;
        XSendEvent(m_dpy.get(), static_cast<Window>(window), False, NoEventMask, &event);
    };
    send(m_window.winId(), 0x1234);
    send(other.winId(), korv::platform::X11AboutRequests::kAboutCommand);
    send(m_window.winId(), korv::platform::X11AboutRequests::kAboutCommand);
    XSync(m_dpy.get(), False);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (heard == 0 && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    // In order: by the time the request came, the other messages had come and gone.
    EXPECT_EQ(heard, 1);
}

} // namespace
