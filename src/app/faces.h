// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QStringList>

namespace korv {

// A font of the first of faces that is installed, or of the whole list where none is. Qt reaches
// the same face down the list, but only after a fontconfig search for stand-ins for each missing
// face at every size it draws: milliseconds of a start-up.
QFont installedFace(const QStringList& faces);

} // namespace korv
