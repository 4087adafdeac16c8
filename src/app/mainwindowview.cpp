// SPDX-License-Identifier: GPL-3.0-or-later
// What the palette shows through the main window, and the commands it forwards.
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include "allsymbolspanel.h"
#include "compositionedit.h"
#include "coretext.h"
#include "mainwindow.h"
#include "minepanel.h"
#include "symbolgrid.h"
#include "trayicon.h"

namespace korv {
namespace {} // namespace

LineSnapshot MainWindow::line() const {
    LineSnapshot line;
    line.text = lineEdit->text().toStdU16String();
    line.selStart = static_cast<std::size_t>(lineEdit->selStart());
    line.selLength = static_cast<std::size_t>(lineEdit->selLength());
    line.isActiveControl = lineIsActiveControl();
    line.inSearch = allPanel != nullptr && focusWidget() == allPanel->searchField;
    return line;
}

void MainWindow::focusLine() {
    if (lineEdit->hasFocus() || focusWidget() == lineEdit) {
        return;
    }
    // Arriving from another control selects the whole line, which the next key would replace.
    const int start = lineEdit->selStart();
    const int length = lineEdit->selLength();
    const int caret = lineEdit->cursorPosition();
    lineEdit->setFocus(Qt::OtherFocusReason);
    if (length > 0) {
        lineEdit->setSelection(caret == start ? start + length : start,
                               caret == start ? -length : length);
    } else {
        lineEdit->setCursorPosition(caret);
    }
}

void MainWindow::showLine(std::u16string_view text, std::size_t caret, bool focus) {
    const QString shown = QString::fromStdU16String(std::u16string(text));
    // Replacing the text by itself must not move the caret.
    if (lineEdit->text() != shown) {
        lineEdit->setProgramText(shown);
    }
    if (focus) {
        lineEdit->setFocus(Qt::OtherFocusReason);
    }
    lineEdit->setCursorPosition(static_cast<int>(caret));
    lineEdit->deselect();
}

void MainWindow::replaceText(std::size_t start, std::size_t length, std::u16string_view text) {
    // Replacing a selection by insert() keeps the change one step for Undo, and the text the
    // user typed before it a step of its own.
    lineEdit->setSelection(static_cast<int>(start), static_cast<int>(length));
    lineEdit->insert(QString::fromStdU16String(std::u16string(text)));
}

void MainWindow::showCopyCaption(std::string_view caption) {
    copyButton->setText(fromUtf8(caption));
}

void MainWindow::showHints(bool on) {
    for (SymbolGrid* panel : {standardChart, diacriticsChart, additionalChart}) {
        panel->setShowHint(on);
    }
    if (allPanel != nullptr) {
        allPanel->setShowHint(on);
    }
    if (minePanel != nullptr) {
        minePanel->setShowHint(on);
    }
}

void MainWindow::showSizeIndex(int index) {
    sizeBox->setCurrentIndex(index);
}

void MainWindow::showTab(ChartTab tab) {
    if (chartTabs->currentIndex() != static_cast<int>(tab)) {
        const QSignalBlocker quiet(chartTabs);
        chartTabs->setCurrentIndex(static_cast<int>(tab));
    }
    standardChart->setVisible(tab == ChartTab::Standard);
    additionalChart->setVisible(tab == ChartTab::Additional);
    if (tab == ChartTab::All) {
        showAllPanel();
    } else if (allPanel != nullptr) {
        allPanel->hide();
    }
    if (tab == ChartTab::Mine) {
        showMinePanel();
    } else if (minePanel != nullptr) {
        minePanel->hide();
    }
}

void MainWindow::focusSearch() {
    if (allPanel != nullptr) {
        allPanel->focusSearch();
    }
}

void MainWindow::showMine(const std::vector<std::u16string>& entries) {
    if (minePanel != nullptr) {
        minePanel->setEntries(entries);
    }
}

void MainWindow::showRecent(const std::vector<std::u16string>& /*entries*/) {
    if (allPanel != nullptr) {
        allPanel->refresh();
    }
}

void MainWindow::showMessage(std::string_view text) {
    m_boxes.showMessage(fromUtf8(text));
}

void MainWindow::showError(std::string_view text) {
    m_boxes.showError(fromUtf8(text));
}

void MainWindow::showNotice(std::string_view text) {
    const QString notice = fromUtf8(text);
    if (!m_platform.notificationArea.showNotice(kAppTitle.toStdString(), notice.toStdString())) {
        // With neither a notification area nor a notification service, a tooltip under the
        // button says it; it takes no focus either.
        QToolTip::showText(copyButton->mapToGlobal(QPoint(0, copyButton->height())), notice,
                           copyButton);
    }
}

void MainWindow::showNotAdded(std::string_view why) {
    QToolTip::showText(lineEdit->mapToGlobal(QPoint(0, lineEdit->height())), fromUtf8(why),
                       lineEdit);
}

void MainWindow::placeWindow(ScreenPosition position) {
    move(position.left, position.top);
    // Left and Top are the outer edges of the frame. The native window exists already (the
    // window menu needed it), so hand the window manager a frame position, and keep the widget
    // from re-placing the client there when it is shown.
    if (QWindow* window = windowHandle()) {
        setAttribute(Qt::WA_Moved, false);
        window->setFramePosition(QPoint(position.left, position.top));
    }
}

std::optional<ScreenPosition> MainWindow::windowPosition() const {
    // Qt's idea of the frame can be off by the frame's border (icewm), and the window would
    // creep at every start: the window manager's own answer is the one a start asks it for.
    const auto frame = m_platform.placement.framePosition(nativeHandle());
    const QPoint position = frame ? QPoint(frame->x, frame->y) : pos();
    return ScreenPosition{position.x(), position.y()};
}

ScreenSize MainWindow::frameSize() const {
    const QSize size = frameGeometry().size();
    return {size.width(), size.height()};
}

std::vector<Rect> MainWindow::workAreas() const {
    std::vector<Rect> areas;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        // The primary first: it takes a window that is as near to another screen.
        areas.insert(screen == primary ? areas.begin() : areas.end(),
                     {area.x(), area.y(), area.width(), area.height()});
    }
    return areas;
}

std::uintptr_t MainWindow::nativeHandle() const {
    return static_cast<std::uintptr_t>(winId());
}

void MainWindow::copy(bool plainOnly) {
    finishStart(); // the notice beside the tray icon needs the icon
    if (m_activation != nullptr) {
        // A summon still asking for the focus would take it back from the paste's target.
        m_activation->stop();
    }
    m_palette->copy(plainOnly);
}

} // namespace korv
