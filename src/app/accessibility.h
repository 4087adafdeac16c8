// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QComboBox;
class QTabBar;
class QWidget;

namespace korv {

// What a screen reader finds of the main window. Each call puts an interface of the program's
// own in the place of the one Qt would give the widget; call it once the widget is built.

/// The panel lists its children without those `unseen` picks, controls the user never sees,
/// also those made later.
void leaveOutOfAccessibleTree(QWidget* panel, std::function<bool(const QWidget*)> unseen);

/// The tab strip lists its tabs alone, without the scroll arrows it never shows.
void exposeTabsOnly(QTabBar* tabs);

/// The drop-down list is named by its accessible name, its current item being its value.
void nameDropDownList(QComboBox* list);

} // namespace korv
