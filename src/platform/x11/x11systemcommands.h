// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>

#include <map>

#include "systemcommands.h"

namespace korv::platform {

/// Receives system commands as client messages of type KORVANI_SYSCOMMAND (format 32,
/// the command in the first word) sent to a watched window.
class X11SystemCommands final : public SystemCommandSource, private QAbstractNativeEventFilter {
public:
    X11SystemCommands();
    ~X11SystemCommands() override;
    void watch(WindowHandle window, Handler handler) override;

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    std::map<WindowHandle, Handler> m_handlers;
    std::uint32_t m_atom = 0;
    bool m_installed = false;
};

} // namespace korv::platform
