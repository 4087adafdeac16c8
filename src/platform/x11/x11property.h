// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include <X11/Xlib.h>
#include <xcb/xcb.h>

namespace korv::platform {

/// The values of a window's 32-bit property of the given type (AnyPropertyType for any), at most
/// maxCount of them; empty when it is missing or of another format.
std::vector<unsigned long> listProperty(Display* dpy, Window window, Atom property, Atom type,
                                        long maxCount = 4096);

/// Interns, in one round trip, the atoms the program asks for before its window is mapped:
/// Xlib keeps them, so that those XInternAtom calls then wait for no answer.
void internStartAtoms(Display* dpy);

/// A 32-bit property asked for now and read later: the request leaves with the next flush and
/// its answer waits in the connection, so that asking costs no round trip.
class PendingProperty final {
public:
    PendingProperty() = default;
    PendingProperty(xcb_connection_t* connection, Window window, Atom property, Atom type);
    /// Lets go of an answer never taken.
    ~PendingProperty();
    PendingProperty(const PendingProperty&) = delete;
    PendingProperty& operator=(const PendingProperty&) = delete;

    /// Whether an answer is still to be taken.
    bool pending() const { return m_connection != nullptr; }
    /// The values, as listProperty gives them; empty when none is pending.
    std::vector<unsigned long> take();

private:
    xcb_connection_t* m_connection = nullptr;
    unsigned int m_sequence = 0;
};

/// _NET_ACTIVE_WINDOW's source indication for a pager: a request on the user's behalf, which
/// window managers honour without their focus-stealing rules.
constexpr long kSourcePager = 2;

/// Asks the window manager, as a pager does, to activate window; requester is the caller's
/// active window, or None.
void requestActivation(Display* dpy, Window window, Window requester = None);

} // namespace korv::platform
