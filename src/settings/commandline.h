// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace korv {

// What the first argument asks for, its ASCII letters in any case: "/hide" a start in the
// notification area, "/show" and "/toggle" the running copy to the front (or, for "/toggle",
// back to the notification area); anything else, and later arguments, an ordinary start.
enum class StartCommand { Normal, Hide, Show, Toggle };
StartCommand startCommand(int argc, const char* const* argv);

} // namespace korv
