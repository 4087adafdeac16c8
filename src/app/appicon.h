// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace korv {

// The program's picture: window icon and notification-area icon alike. The installed icon
// where the icon theme has it, else drawn at 16 x 16 and at the larger sizes that high-DPI
// trays and task bars ask for.
QIcon appIcon();

// One size of that picture.
QPixmap appIconPixmap(int size);

} // namespace korv
