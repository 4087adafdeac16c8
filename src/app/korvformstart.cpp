// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's life: creation, showing, hiding, the charts, the size and closing.
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <QTimer>
#include <QWindow>

#include <string>

#include "allsymbolspanel.h"
#include "compositionedit.h"
#include "handcursor.h"
#include "korvform.h"
#include "messages.h"
#include "minepanel.h"
#include "settings/inifile.h"
#include "settings/settings.h"
#include "symbolgrid.h"

namespace korv {

std::string TKorvForm::settingsPath() const {
    return m_settingsFolder + std::string(kIniName);
}

std::string TKorvForm::logPath() const {
    return m_settingsFolder + std::string(kLogName);
}

QCursor TKorvForm::cursor(int id) const {
    auto it = m_cursors.find(id);
    // Drawn when first asked for: only the About window's link shows it.
    if (it == m_cursors.end() && id == kHandCursor) {
        it = m_cursors.emplace(id, makeHandCursor()).first;
    }
    return it != m_cursors.end() ? it->second : QCursor();
}

void TKorvForm::showSettingsMessage() {
    if (m_quiet) {
        return;
    }
    QString text = QString::fromUtf8(kSettingsFailureMessage.data(),
                                     static_cast<qsizetype>(kSettingsFailureMessage.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_boxes.showMessage(text);
}

bool TKorvForm::WriteIni(std::string_view section, std::string_view key, std::string_view value) {
    IniFile ini(settingsPath());
    if (ini.writeString(section, key, value)) {
        return true;
    }
    showSettingsMessage();
    return false;
}

bool TKorvForm::WriteLog(std::string_view section, std::string_view key, std::string_view value) {
    IniFile log(logPath(), IniFile::Durability::Unsynced, IniFile::Unusable::StartAfresh);
    if (log.writeString(section, key, value)) {
        return true;
    }
    showSettingsMessage();
    return false;
}

void TKorvForm::placeFrameAt(int left, int top) {
    move(left, top);
    // Left and Top are the outer edges of the frame. The native window exists already (the
    // window menu needed it), so hand the window manager a frame position, and keep the widget
    // from re-placing the client there when it is shown.
    if (QWindow* window = windowHandle()) {
        setAttribute(Qt::WA_Moved, false);
        window->setFramePosition(QPoint(left, top));
    }
}

void TKorvForm::FormCreate() {
    // Every system this face runs on is a current one: auto-paste starts off.
    const bool autoPasteDefault = false;

    const Settings settings = loadSettings(IniFile(settingsPath()), autoPasteDefault);
    AutoPaste = settings.autoPaste;
    ShowHints = settings.showHints;
    UseUnicodeFont = settings.useUnicodeFont;
    Homepage = settings.homepage;
    const bool knownSize = settings.fontSize >= 0 && settings.fontSize < comboSize->count();
    comboSize->setCurrentIndex(knownSize ? settings.fontSize : -1);
    // Where the compositor alone places windows, the stored position waits for a desktop that
    // can use it, and closing leaves it as it was.
    if (m_platform.placement.placesWindows()) {
        placeFrameAt(settings.left, settings.top);
    }

    // The log is rewritten at every start; waiting for the disk would only delay the window.
    IniFile log(logPath(), IniFile::Durability::Unsynced, IniFile::Unusable::StartAfresh);
    if (!writeStartupLog(log)) {
        showSettingsMessage();
        m_terminate = true;
    }

    // Another program may ask for the About window by sending its command to this window.
    m_platform.aboutRequests.watch(static_cast<platform::WindowHandle>(winId()),
                                   [this] { guarded([&] { AboutClick(); }); });

    AdditionalPanel->hide();
}

void TKorvForm::FormShow() {
    if (AutoPaste) {
        BtnCopy->setText(QStringLiteral("Paste"));
    }
    for (SymbolGrid* panel : {IPAPanel, DiacriticsPanel1, AdditionalPanel}) {
        panel->setShowHint(ShowHints);
    }
    if (AllPanel != nullptr) {
        AllPanel->setShowHint(ShowHints);
    }
    if (MinePanel1 != nullptr) {
        MinePanel1->setShowHint(ShowHints);
    }
}

void TKorvForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window manager's restore is not a showing of the window by the program.
    if (!event->spontaneous()) {
        guarded([&] { FormShow(); });
    }
}

void TKorvForm::FormClose() {
    if (!m_platform.placement.placesWindows()) {
        return;
    }
    // Qt's idea of the frame can be off by the frame's border (icewm), and the window would
    // creep at every start: the window manager's own answer is the one a start asks it for.
    const auto frame =
        m_platform.placement.framePosition(static_cast<platform::WindowHandle>(winId()));
    const QPoint position = frame ? QPoint(frame->x, frame->y) : pos();
    WriteIni(kPositionSection, kLeftKey, std::to_string(position.x()));
    WriteIni(kPositionSection, kTopKey, std::to_string(position.y()));
}

void TKorvForm::closeEvent(QCloseEvent* event) {
    if (!m_closed) {
        m_closed = true;
        guarded([&] { FormClose(); });
    }
    event->accept();
    // Closing the main window ends the program, also while a tray icon would keep it alive.
    QCoreApplication::quit();
}

void TKorvForm::endSession() {
    // A program that could not write its log at start ends without saving anything.
    if (!m_closed && !m_terminate) {
        m_closed = true;
        m_quiet = true;
        guarded([&] { FormClose(); });
    }
    QCoreApplication::quit();
}

void TKorvForm::TabSet1Change(int newTab) {
    if (newTab == 0) {
        IPAPanel->show();
        AdditionalPanel->hide();
    } else if (newTab == 1) {
        AdditionalPanel->show();
        IPAPanel->hide();
    } else if (newTab == 2) {
        // Built when first asked for, so that it costs nothing at start.
        if (AllPanel == nullptr) {
            AllPanel = new AllSymbolsPanel(MainPanel, IPAPanel->geometry());
            AllPanel->setShowHint(ShowHints);
            AllPanel->OnSymbolClick = [this](std::u16string_view chars) {
                guarded([&] { AllGrid1Click(chars); });
            };
            AllPanel->OnSymbolMenu = [this](std::u16string_view chars, QPoint globalPos) {
                guarded([&] { SymbolMenuPopup(chars, globalPos); });
            };
            AllPanel->OnPinKey = [this](std::u16string_view chars) {
                guarded([&] { AddToMine(chars); });
            };
            AllPanel->setRecent(recentList().entries());
            connect(qApp, &QApplication::focusChanged, AllPanel,
                    [this](QWidget* old, QWidget* now) {
                        // A return of the focus with the window keeps what was known.
                        if (now == AllPanel->SearchEdit1 && old != nullptr) {
                            m_searchFromLine = old == TntEdit1;
                        }
                    });
        }
        AllPanel->show();
        IPAPanel->hide();
        AdditionalPanel->hide();
    } else if (newTab == 3) {
        showMinePanel();
        IPAPanel->hide();
        AdditionalPanel->hide();
    }
    if (PanelKorvaniPro != nullptr) {
        PanelKorvaniPro->hide();
    }
    if (AllPanel != nullptr && newTab != 2) {
        AllPanel->hide();
    }
    if (MinePanel1 != nullptr && newTab != 3) {
        MinePanel1->hide();
    }
}

void TKorvForm::comboSizeChange(int index) {
    IniFile ini(settingsPath());
    if (!ini.writeInteger(kOptionsSection, kFontSizeKey, index)) {
        showSettingsMessage();
    }
}

void TKorvForm::BtnCloseClick() {
    // Hidden without a notification area there would be no way back: minimise instead, so
    // the task bar and the window list still reach the window.
    if (m_platform.notificationArea.isAvailable()) {
        hide();
    } else {
        showMinimized();
    }
}

void TKorvForm::ensureReachable() {
    if (!isVisible() && !m_platform.notificationArea.isAvailable()) {
        Restore1Click();
    }
}

void TKorvForm::Restore1Click() {
    if (!isVisible()) {
        show();
    } else if (isMinimized()) {
        // Minimised from its title bar: without a task bar the icon is the only way back.
        showNormal();
    }
    // Left behind on another desktop, the window comes to the one in view.
    m_platform.placement.moveToCurrentDesktop(static_cast<platform::WindowHandle>(winId()));
    raise();
    activateWindow();
}

} // namespace korv

namespace korv {
namespace {

// A window just mapped is not yet the window manager's to activate: ask again for a while.
constexpr int kActivationRetryMs = 50;
constexpr int kActivationTries = 20;

} // namespace

void TKorvForm::listenForSummons() {
    m_platform.summon.listen(
        [this](platform::SummonRequest request) { guarded([&] { SummonReceived(request); }); });
}

void TKorvForm::SummonReceived(platform::SummonRequest request) {
    // Qt hears of a lost focus only after a while; the window manager knows at once.
    const bool active = m_platform.placement.isActive(static_cast<platform::WindowHandle>(winId()))
                            .value_or(isActiveWindow());
    const bool inFront = isVisible() && !isMinimized() && active;
    if (request == platform::SummonRequest::Toggle && inFront) {
        BtnCloseClick();
        return;
    }
    bringToFront();
}

void TKorvForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Once in front, a summon is done: asking again would take the focus back from wherever
    // the user goes next (a paste, another window).
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_activation != nullptr) {
        m_activation->stop();
    }
}

void TKorvForm::bringToFront() {
    Restore1Click();
    TntEdit1->setFocus(Qt::OtherFocusReason);
    const auto handle = static_cast<platform::WindowHandle>(winId());
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
