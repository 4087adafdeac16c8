// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace korv {

// True when the first argument asks for a start in the notification area: "/hide" in any case of
// its ASCII letters; later arguments do not count.
bool startHidden(int argc, const char* const* argv);

} // namespace korv
