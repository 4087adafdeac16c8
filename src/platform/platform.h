#pragma once

#include "admincheck.h"
#include "launcher.h"
#include "osinfo.h"
#include "systemcommands.h"
#include "systemmenu.h"

namespace korv::platform {

// What the program asks of the operating system, handed to the windows that need it.
struct Platform {
    OsInfo& os;
    SystemMenuApi& systemMenu;
    SystemCommandSource& systemCommands;
    Launcher& launcher;
    AdminCheck& admin;
};

} // namespace korv::platform
