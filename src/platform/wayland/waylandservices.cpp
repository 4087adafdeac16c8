// SPDX-License-Identifier: GPL-3.0-or-later
#include "waylandservices.h"

namespace korv::platform {

void WaylandAboutRequests::watch(WindowHandle, Handler) {}

} // namespace korv::platform
