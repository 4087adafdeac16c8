// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <X11/Xlib.h>

#include <optional>

namespace korv::platform {

/// Keys pressed and released as though typed, through the X server's XTest extension.
class XTestKeys final {
public:
    /// The display's XTest, or nothing where its library or the server's extension is missing.
    static std::optional<XTestKeys> on(Display* dpy);

    /// Presses the key with this code, or releases it.
    void send(KeyCode code, bool press) const;

private:
    using FakeKeyEvent = int (*)(Display*, unsigned int, int, unsigned long);
    XTestKeys(Display* dpy, FakeKeyEvent fake)
        : m_dpy(dpy)
        , m_fake(fake) {}

    Display* m_dpy;
    FakeKeyEvent m_fake;
};

} // namespace korv::platform
