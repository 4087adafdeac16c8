// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "admincheck.h"
#include "keyinjector.h"
#include "launcher.h"
#include "notifyshell.h"
#include "osinfo.h"
#include "summon.h"
#include "systemcommands.h"
#include "systemmenuapi.h"
#include "windowplacement.h"

namespace korv::platform {

// What the program asks of the operating system, handed to the windows that need it.
struct Platform {
    OsInfo& os;
    SystemMenuApi& systemMenu;
    SystemCommandSource& systemCommands;
    Launcher& launcher;
    AdminCheck& admin;
    KeyInjector& keys;
    NotifyShell& notifyShell;
    WindowPlacement& placement;
    SummonChannel& summon;
};

} // namespace korv::platform
