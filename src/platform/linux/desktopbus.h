// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace korv::platform {

/// True when the session has a bus to connect to, without starting one of our own.
bool sessionBusExists();

/// True while a StatusNotifierWatcher on the session bus has a host that shows icons.
bool statusNotifierHostPresent();

/// Asks the session's notification service to show a short notice for ms milliseconds; false
/// when there is no such service.
bool sendDesktopNotification(const std::string& title, const std::string& text, int ms);

} // namespace korv::platform
