// SPDX-License-Identifier: GPL-3.0-or-later
#include "trayicon.h"

#include <QCoreApplication>

#include <algorithm>

namespace korv {

TrayIcon::TrayIcon(QObject* owner, platform::NotificationArea& area)
    : QObject(owner)
    , m_area(area) {
    // Guarded rather than withdrawn on destruction, which could take the handler of a newer icon.
    m_area.onIconClick([self = QPointer<TrayIcon>(this)](platform::IconClick click) {
        if (self) {
            self->clicked(click);
        }
    });
}

TrayIcon::~TrayIcon() {
    hide();
}

void TrayIcon::show() {
    m_shown = true;
    update();
}

void TrayIcon::hide() {
    if (!m_shown) {
        return;
    }
    m_shown = false;
    m_area.hideIcon();
}

void TrayIcon::setPicture(const QIcon& picture) {
    m_picture = picture;
    update();
}

void TrayIcon::setToolTip(const QString& text) {
    qsizetype size = std::min(text.size(), kMaxToolTip);
    // Half a surrogate pair is no character.
    if (size < text.size() && text.at(size - 1).isHighSurrogate()) {
        --size;
    }
    m_toolTip = text.left(size);
    update();
}

void TrayIcon::update() {
    if (m_shown) {
        m_area.showIcon(m_toolTip.toStdString(), m_picture);
    }
}

void TrayIcon::clicked(platform::IconClick click) {
    switch (click) {
    case platform::IconClick::Click:
        if (onClick) {
            onClick();
        }
        break;
    case platform::IconClick::DoubleClick:
        if (onDoubleClick) {
            onDoubleClick();
        }
        break;
    case platform::IconClick::ContextClick:
        contextClicked();
        break;
    }
}

void TrayIcon::contextClicked() {
    const platform::ScreenPoint pointer = m_area.pointerPosition();
    const QPoint position(pointer.x, pointer.y);
    const QPointer<TrayIcon> self(this);
    if (m_menu) {
        // What is already waiting goes first; the menu grabs the pointer itself, so it closes
        // on a click anywhere else.
        QCoreApplication::processEvents();
        if (self && m_menu) {
            m_menu->exec(position);
        }
    }
    if (self && onContextClick) {
        onContextClick(position);
    }
}

} // namespace korv
