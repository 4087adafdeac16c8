// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's life: showing, hiding, summons, the tray icon, About and closing.
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>

#include <string>

#include "aboutbox.h"
#include "appicon.h"
#include "compositionedit.h"
#include "copypayload.h"
#include "coretext.h"
#include "handcursor.h"
#include "mainwindow.h"
#include "settings/settings.h"
#include "symbolgrid.h"
#include "trayicon.h"

namespace korv {
namespace {

// A window just mapped is not yet the window manager's to activate: ask again for a while.
constexpr int kActivationRetryMs = 50;
constexpr int kActivationTries = 20;

} // namespace

std::string MainWindow::settingsPath() const {
    return m_settingsFolder + std::string(kIniName);
}

QCursor MainWindow::cursor(int id) const {
    auto it = m_cursors.find(id);
    // Drawn when first asked for: only the About window's link shows it.
    if (it == m_cursors.end() && id == kHandCursor) {
        it = m_cursors.emplace(id, makeHandCursor()).first;
    }
    return it != m_cursors.end() ? it->second : QCursor();
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window manager's restore is not a showing of the window by the program.
    if (!event->spontaneous()) {
        guarded([&] { m_palette->shown(); });
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    guarded([&] { m_palette->close(); });
    // Here, where it delays no picture.
    SymbolGrid::refreshKeptGlyphs({standardChart, diacriticsChart}, keptCellPictures());
    event->accept();
    // Closing the main window ends the program, also while a tray icon would keep it alive.
    QCoreApplication::quit();
}

void MainWindow::endSession() {
    guarded([&] { m_palette->close(true); });
    QCoreApplication::quit();
}

bool MainWindow::notificationAreaShown() const {
    return m_platform.notificationArea.isAvailable();
}

void MainWindow::hideByCommand() {
    m_palette->hide(notificationAreaShown());
}

void MainWindow::hideWindow() {
    QWidget::hide();
}

void MainWindow::minimizeWindow() {
    showMinimized();
}

void MainWindow::ensureReachable() {
    if (!isVisible() && !notificationAreaShown()) {
        restoreWindow();
    }
}

void MainWindow::restoreWindow() {
    if (!isVisible()) {
        show();
    } else if (isMinimized()) {
        // Minimised from its title bar: without a task bar the icon is the only way back.
        showNormal();
    }
    // Left behind on another desktop, the window comes to the one in view.
    m_platform.placement.moveToCurrentDesktop(nativeHandle());
    raise();
    activateWindow();
}

void MainWindow::loadTrayIcon() {
    trayIcon = new TrayIcon(this, m_platform.notificationArea);
    trayIcon->setObjectName(QStringLiteral("TrayIcon"));
    trayIcon->setPicture(appIcon());
    trayIcon->setToolTip(fromUtf8(kTrayTip));
    trayIcon->onClick = [this] { guarded([&] { restoreWindow(); }); };
    trayIcon->onDoubleClick = [this] { guarded([&] { restoreWindow(); }); };
    trayIcon->show();
}

void MainWindow::openAbout() {
    PaletteOptions options = m_palette->options();
    AboutContext context{
        options,
        m_palette->homepage(),
        m_exeFolder,
        m_platform.launcher,
        m_platform.admin,
        cursor(kHandCursor),
        [this](const PaletteOptions& chosen) { return m_palette->saveOptions(chosen); },
        [this](const std::function<void()>& handler) { guarded(handler); },
        copyFaceChoices(
            [families = QFontDatabase::families()](std::string_view face) {
                return families.contains(fromUtf8(face), Qt::CaseInsensitive);
            },
            options.copyFace),
    };
    // Owned by the application, not by this window; closing it asks for its deletion, which
    // may already have happened by the time exec() returns.
    QPointer<AboutBox> box = new AboutBox(std::move(context));
    box->exec();
    delete box.data();
}

void MainWindow::listenForSummons() {
    m_platform.summon.listen(
        [this](platform::SummonRequest request) { guarded([&] { summon(request); }); });
}

void MainWindow::summon(platform::SummonRequest request) {
    m_palette->summoned(request, notificationAreaShown());
}

bool MainWindow::isInFront() const {
    // Qt hears of a lost focus only after a while; the window manager knows at once.
    const bool active = m_platform.placement.isActive(nativeHandle()).value_or(isActiveWindow());
    return isVisible() && !isMinimized() && active;
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Once in front, a summon is done: asking again would take the focus back from wherever
    // the user goes next (a paste, another window).
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_activation != nullptr) {
        m_activation->stop();
    }
}

void MainWindow::bringToFront() {
    restoreWindow();
    lineEdit->setFocus(Qt::OtherFocusReason);
    const std::uintptr_t handle = nativeHandle();
    m_platform.placement.activate(handle);
    if (m_activation == nullptr) {
        m_activation = new QTimer(this);
        m_activation->setInterval(kActivationRetryMs);
        connect(m_activation, &QTimer::timeout, this, [this, handle] {
            // The window manager knows before Qt hears of it.
            const bool active = m_platform.placement.isActive(handle).value_or(isActiveWindow());
            if (active || --m_activationTries <= 0) {
                m_activation->stop();
            } else if (windowHandle() != nullptr && windowHandle()->isExposed()) {
                m_platform.placement.activate(handle);
            }
        });
    }
    m_activationTries = kActivationTries;
    m_activation->start();
}

} // namespace korv
