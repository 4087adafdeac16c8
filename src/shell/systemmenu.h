// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <cstdint>

#include "systemmenuapi.h"

class QWidget;

namespace korv {

/// Removes commands from its owner window's window menu, so that the window manager offers
/// neither the command nor its title-bar button.
class TSystemMenu final : public QObject {
public:
    TSystemMenu(QWidget* owner, platform::SystemMenuApi& api);

    // Runs once the owner has its stored values: makes sure the owner has its native window
    // and fetches that window's menu.
    void Loaded();
    // Removes the command wherever it stands; nothing happens before Loaded or for a command
    // that is not (or no longer) there.
    void DeleteItem(std::uint16_t command);

private:
    QWidget* m_owner;
    platform::SystemMenuApi& m_api;
    platform::MenuHandle m_menu = 0;
};

} // namespace korv
