// SPDX-License-Identifier: GPL-3.0-or-later
#include "faces.h"

#include <QFontDatabase>

#include <algorithm>

namespace korv {

QFont installedFace(const QStringList& faces) {
    // A family that several foundries make is listed once for each, as "Family [Foundry]".
    const QStringList installed = QFontDatabase::families();
    const auto isInstalled = [&installed](const QString& face) {
        return std::any_of(installed.begin(), installed.end(), [&face](const QString& family) {
            return family.compare(face, Qt::CaseInsensitive) == 0 ||
                   (family.startsWith(face, Qt::CaseInsensitive) &&
                    family.mid(face.size()).startsWith(QLatin1String(" [")));
        });
    };
    QFont font;
    const auto found = std::find_if(faces.begin(), faces.end(), isInstalled);
    if (found != faces.end()) {
        font.setFamily(*found);
    } else {
        font.setFamilies(faces);
    }
    return font;
}

} // namespace korv
