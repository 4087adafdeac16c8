// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <map>

#include "aboutrequests.h"

namespace korv::platform {

/// Hears requests for the About window as client messages of type KORVANI_SYSCOMMAND (format
/// 32) sent to a watched window, with kAboutCommand in the first word.
class X11AboutRequests final : public AboutRequests, private QAbstractNativeEventFilter {
public:
    // What other programs send for the About window; any other value is not a request.
    static constexpr std::uint32_t kAboutCommand = 0xF45A;

    X11AboutRequests();
    ~X11AboutRequests() override;
    X11AboutRequests(const X11AboutRequests&) = delete;
    X11AboutRequests& operator=(const X11AboutRequests&) = delete;

    void watch(WindowHandle window, Handler handler) override;

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    std::map<WindowHandle, Handler> m_handlers;
    std::uint32_t m_atom = 0;
    bool m_installed = false;
};

} // namespace korv::platform
