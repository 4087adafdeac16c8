// SPDX-License-Identifier: GPL-3.0-or-later
#include "systemmenu.h"

#include <QWidget>

namespace korv {

TSystemMenu::TSystemMenu(QWidget* owner, platform::SystemMenuApi& api)
    : QObject(owner)
    , m_owner(owner)
    , m_api(api) {}

void TSystemMenu::Loaded() {
    // winId() creates the native window if the owner has none yet.
    m_menu = m_api.getSystemMenu(static_cast<platform::WindowHandle>(m_owner->winId()), false);
}

void TSystemMenu::DeleteItem(std::uint16_t command) {
    if (m_menu == 0) {
        return;
    }
    m_api.deleteMenu(m_menu, command, platform::MF_BYCOMMAND);
}

} // namespace korv
