// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "aboutrequests.h"
#include "admincheck.h"
#include "clipboard.h"
#include "launcher.h"
#include "notificationarea.h"
#include "pastetarget.h"
#include "summon.h"
#include "windowplacement.h"

namespace korv::platform {

// What the program asks of the desktop, handed to the windows that need it.
struct Platform {
    Clipboard& clipboard;
    PasteTarget& pasteTarget;
    NotificationArea& notificationArea;
    WindowPlacement& placement;
    AboutRequests& aboutRequests;
    Launcher& launcher;
    AdminCheck& admin;
    SummonChannel& summon;
};

} // namespace korv::platform
