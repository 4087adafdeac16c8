// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace korv {

// Lets the mouse wheel change control only while it holds the keyboard focus: a stray scroll over
// the window must not change what the user picked.
void wheelOnlyWithFocus(QWidget* control);

} // namespace korv
