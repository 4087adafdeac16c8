// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace korv {

// The program's picture: window icon and notification-area icon alike. The installed icon
// where the icon theme has it, else drawn at 16 x 16 and at the larger sizes that high-DPI
// trays and task bars ask for.
QIcon appIcon();

// The same picture for what is shown before the window's first paint: until appIconStarted(),
// it is drawn, one size at a time, and the theme is not looked up. The two are one design.
QIcon startingAppIcon();
void appIconStarted();

// One size of that picture.
QPixmap appIconPixmap(int size);

} // namespace korv
