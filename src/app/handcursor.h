// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>

namespace korv {

// A 32 x 32 pointing hand, black outline on white, its hot spot at the fingertip (11, 8).
QCursor makeHandCursor();

} // namespace korv
