// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include <QApplication>
#include <QComboBox>

#include <QAbstractEventDispatcher>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <limits>

#include "accessibility.h"
#include "allsymbolspanel.h"
#include "appicon.h"
#include "charttabs.h"
#include "compositionedit.h"
#include "coretext.h"
#include "faces.h"
#include "focuswheel.h"
#include "messages.h"
#include "settings/settings.h"
#include "symbolgrid.h"
#include "symboltable.h"
#include "symboltag.h"
#include "symboltip.h"
#include "trayicon.h"

namespace korv {
namespace {

QFont windowFont() {
    QFont font = installedFace({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("DejaVu Sans")});
    font.setPixelSize(11);
    return font;
}

// The composition line asks for its face and falls back on faces that carry IPA.
QFont unicodeFont(int pixelSize) {
    QStringList faces;
    for (const std::string_view face : kIpaFaces) {
        faces.append(fromUtf8(face));
    }
    QFont font = installedFace(faces);
    font.setPixelSize(pixelSize);
    return font;
}

QRect qrect(const Rect& r) {
    return QRect(r.left, r.top, r.width, r.height);
}

QFrame* sunkenFrame(QWidget* parent, const char* name, const Rect& geometry, QFrame::Shape shape) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(shape);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(qrect(geometry));
    return frame;
}

QPushButton* commandButton(QWidget* parent, const char* name, std::string_view caption,
                           const Rect& geometry) {
    auto* button = new QPushButton(fromUtf8(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(qrect(geometry));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    return button;
}

// One chart panel: its symbols painted as buttons by one widget.
SymbolGrid* symbolPanel(QWidget* parent, const char* name, const Rect& geometry, ChartPanel which) {
    auto* panel = new SymbolGrid(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setGeometry(qrect(geometry));
    QList<SymbolGrid::Cell> cells;
    for (const SymbolButtonEntry& entry : kSymbolButtons) {
        if (entry.panel != which) {
            continue;
        }
        const QString symbol = QString::fromStdU16String(symbolOfTag(entry.tag));
        // A screen reader says the symbol and, as its description, the example.
        cells.append({QRect(entry.left, entry.top, entry.width, entry.height), symbol,
                      entry.glyphAlign, entry.glyphMargin, QString(), symbol,
                      fromLatin1(entry.hint), entry.tag, QSize()});
    }
    panel->setCells(std::move(cells));
    // Made when first shown, as the All and Mine tabs' are: the start does not wait for them.
    panel->hintOf = [panel](int cell) {
        const std::u16string symbol = symbolOfTag(panel->cells().at(cell).payload);
        const SymbolTip tip = symbolTip(symbol);
        return tip.known || !tip.example.empty() ? QString::fromStdString(tip.text()) : QString();
    };
    return panel;
}

} // namespace

MainWindow::MainWindow(platform::Platform& platform, MessageBoxes& boxes, Folders folders,
                       PhonemeEngineFactory phonemes, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_platform(platform)
    , m_boxes(boxes)
    , m_settingsFolder(std::move(folders.settings))
    , m_exeFolder(std::move(folders.executable))
    , m_settings(settingsPath())
    // The log is rewritten at every start; waiting for the disk would only delay the window.
    , m_log(m_settingsFolder + std::string(kLogName), IniFile::Durability::Unsynced,
            IniFile::Unusable::StartAfresh)
    , m_transcriber(phonemes ? std::make_unique<Transcriber>(std::move(phonemes)) : nullptr) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(kAppTitle);
    setFont(windowFont());
    setFixedSize(kClientWidth, kClientHeight);
    move(702, 252);
    buildLayout();
    m_palette = std::make_unique<Palette>(
        *this,
        PaletteServices{m_settings, m_log, m_platform.clipboard, m_platform.pasteTarget,
                        settingsPath(), m_platform.placement.placesWindows(), m_transcriber.get()});
    connectControls();
    // The components come into being with the window, then the palette starts; the tray icon,
    // which the first picture does not need, waits for it (finishStart).
    // winId() makes the native window, which placing the window needs too.
    m_platform.placement.lockSize(static_cast<platform::WindowHandle>(winId()));
    m_terminate = !m_palette->start();
    // Begun once the window's own faces are loaded: the thread would hold the face database they
    // wait for.
    SymbolGrid::drawGlyphsAhead({standardChart, diacriticsChart}, qApp->devicePixelRatio(),
                                keptCellPictures());
    // Another program may ask for the About window by sending its command to this window.
    m_platform.aboutRequests.watch(static_cast<platform::WindowHandle>(winId()),
                                   [this] { guarded([&] { openAbout(); }); });
    // A window being shown waits for its first paint, but not for ever: one the window manager
    // does not map (kept on another desktop, say) still gets its tray icon.
    QTimer::singleShot(0, this, [this] {
        if (!isVisible()) {
            finishStart();
        }
    });
    // Qt sends the map to the X server only as its event loop is about to wait: while the server
    // and any window manager map the window, load the one face the first picture still lacks,
    // Copy's bold.
    auto once = std::make_shared<QMetaObject::Connection>();
    *once = connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                    this, [this, once] {
                        disconnect(*once);
                        if (isVisible() && !m_painted) {
                            QFontMetrics(copyButton->font()).horizontalAdvance(copyButton->text());
                        }
                    });
    QTimer::singleShot(kLatestStartMs, this, [this] { finishStart(); });
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        // Once this picture has gone to the screen.
        QTimer::singleShot(0, this, [this] { finishStart(); });
    }
}

QString MainWindow::keptCellPictures() {
    // Drawing the cells' symbols costs the first picture more than the rest of the window does.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return cache.isEmpty() ? QString() : cache + QStringLiteral("/korvani/cell-pictures");
}

void MainWindow::finishStart() {
    if (m_started) {
        return;
    }
    m_started = true;
    // Drawing the icon's sizes and asking the session bus for a notification area cost as much as
    // the rest of the start-up.
    loadTrayIcon();
    setWindowIcon(appIcon());
    SymbolGrid::keepGlyphs({standardChart, diacriticsChart}, keptCellPictures());
    // The bus is no part of what the first paint waits for.
    listenForSummons();
}

MainWindow::~MainWindow() {
    // Focus moves while the base class takes the children down, and the watcher reads this form.
    if (allPanel != nullptr) {
        disconnect(qApp, &QApplication::focusChanged, allPanel, nullptr);
    }
}

void MainWindow::buildLayout() {
    clientArea = new QWidget(this);
    clientArea->setObjectName(QStringLiteral("ClientArea"));
    clientArea->setGeometry(0, 0, kClientWidth, kClientHeight);

    sunkenFrame(clientArea, "ChartFrame", kChartFrameRect, QFrame::Box);
    sunkenFrame(clientArea, "DiacriticsFrame", kDiacriticFrameRect, QFrame::Box);

    standardChart = symbolPanel(clientArea, "StandardChart", kChartRect, ChartPanel::Standard);
    additionalChart =
        symbolPanel(clientArea, "AdditionalChart", kChartRect, ChartPanel::Additional);
    diacriticsChart =
        symbolPanel(clientArea, "DiacriticsChart", kDiacriticsRect, ChartPanel::Diacritics);
    additionalChart->hide();

    // Divider lines between single vowels, diphthongs and consonants.
    sunkenFrame(standardChart, "VowelDivider", kVowelDividerRect, QFrame::VLine);
    sunkenFrame(standardChart, "ConsonantDivider", kConsonantDividerRect, QFrame::HLine);

    sizeBox = new QComboBox(clientArea);
    sizeBox->setObjectName(QStringLiteral("SizeBox"));
    sizeBox->setGeometry(qrect(kSizeBoxRect));
    for (const int points : kPointSizes) {
        sizeBox->addItem(QString::number(points));
    }
    sizeBox->setCurrentIndex(kDefaultSizeIndex);
    sizeBox->setFocusPolicy(Qt::StrongFocus);
    sizeBox->setAccessibleName(fromUtf8(kSizeAccessibleName));
    nameDropDownList(sizeBox);
    wheelOnlyWithFocus(sizeBox);

    // A line edit first lays its text out in the program's face, before it takes the window's:
    // lend it the window's, so that no face is loaded that this window never draws with.
    const QFont programFont = QApplication::font();
    QApplication::setFont(font());
    lineEdit = new CompositionEdit(clientArea);
    QApplication::setFont(programFont);
    lineEdit->setObjectName(QStringLiteral("Line"));
    lineEdit->setGeometry(qrect(kLineRect));
    lineEdit->setFont(unicodeFont(kLineFacePixels));
    lineEdit->setAccessibleName(fromUtf8(kLineAccessibleName));
    QWidget::setTabOrder(sizeBox, lineEdit);

    copyButton = commandButton(clientArea, "CopyButton", kCopyCaption, kCopyRect);
    QFont bold = copyButton->font();
    bold.setBold(true);
    copyButton->setFont(bold);
    backButton = commandButton(clientArea, "BackButton", kBackCaption, kBackRect);
    clearButton = commandButton(clientArea, "ClearButton", kClearCaption, kClearRect);
    aboutButton = commandButton(clientArea, "AboutButton", kAboutCaption, kAboutRect);
    hideButton = commandButton(clientArea, "HideButton", kHideCaption, kHideRect);

    sizeLabel = new QLabel(fromUtf8(kSizeCaption), clientArea);
    sizeLabel->setObjectName(QStringLiteral("SizeLabel"));
    // Sized to its text, as labels are, should the window face be wider than planned.
    sizeLabel->setGeometry(kSizeLabelRect.left, kSizeLabelRect.top,
                           std::max(kSizeLabelRect.width, sizeLabel->sizeHint().width()),
                           kSizeLabelRect.height);
    sizeLabel->setBuddy(sizeBox);

    tabFrame = new QFrame(clientArea);
    tabFrame->setObjectName(QStringLiteral("TabFrame"));
    tabFrame->setGeometry(qrect(kTabFrameRect));
    tabFrame->setFrameShape(QFrame::Panel);
    tabFrame->setFrameShadow(QFrame::Sunken);
    chartTabs = new ChartTabs(tabFrame);
    chartTabs->setObjectName(QStringLiteral("ChartTabs"));
    chartTabs->setGeometry(kTabsRect.left - kTabFrameRect.left, kTabsRect.top - kTabFrameRect.top,
                           kTabsRect.width, kTabsRect.height);
    chartTabs->setShape(QTabBar::RoundedSouth);
    chartTabs->setDrawBase(false);
    chartTabs->setExpanding(false);
    chartTabs->setUsesScrollButtons(false);
    chartTabs->setFocusPolicy(Qt::NoFocus);
    wheelOnlyWithFocus(chartTabs);
    chartTabs->setFont(windowFont());
    for (const std::string_view caption : kChartTabCaptions) {
        chartTabs->addTab(fromUtf8(caption));
    }
    exposeTabsOnly(chartTabs);
}

void MainWindow::connectControls() {
    for (SymbolGrid* panel : {standardChart, additionalChart, diacriticsChart}) {
        panel->clicked = [this, panel](int cell) {
            guarded([&] { m_palette->insertChartSymbol(panel->cells().at(cell).payload); });
        };
        panel->contextMenuRequested = [this, panel](int cell, QPoint globalPos) {
            const std::u16string symbol = symbolOfTag(panel->cells().at(cell).payload);
            guarded([&] { showSymbolMenu(symbol, globalPos); });
        };
    }
    // The buttons and tabs never take the focus, so the line takes their keys.
    lineEdit->OnCopyKey = [this] { copyButton->click(); };
    lineEdit->OnPlainCopyKey = [this] { guarded([&] { copy(true); }); };
    lineEdit->OnChartKey = [this](int step) { guarded([&] { m_palette->stepTab(step); }); };
    lineEdit->OnSearchKey = [this] { guarded([&] { m_palette->findSymbol(); }); };
    lineEdit->OnPinKey = [this] { guarded([&] { m_palette->pinSelection(); }); };
    lineEdit->OnXsampaKey = [this] { guarded([&] { m_palette->convertXsampa(); }); };
    lineEdit->OnChartWindowKey = [this] { guarded([&] { m_palette->openChart(); }); };
    lineEdit->OnZoomKey = [this](int step) { guarded([&] { m_palette->zoomChart(step); }); };
    lineEdit->OnTranscribeKey = [this] { guarded([&] { m_palette->transcribe(); }); };
    lineEdit->OnContextMenu = [this](QMenu& menu) { addLineCommands(menu); };
    // What the user types makes the offered pronunciations stale.
    connect(lineEdit, &QLineEdit::textEdited, this, [this] {
        if (alternativesBar != nullptr) {
            alternativesBar->hide();
        }
    });

    connect(backButton, &QPushButton::clicked, this,
            [this] { guarded([&] { m_palette->back(); }); });
    connect(clearButton, &QPushButton::clicked, this,
            [this] { guarded([&] { m_palette->clear(); }); });
    connect(hideButton, &QPushButton::clicked, this, [this] { guarded([&] { hideByCommand(); }); });
    connect(copyButton, &QPushButton::clicked, this, [this] { guarded([&] { copy(); }); });
    connect(aboutButton, &QPushButton::clicked, this, [this] { guarded([&] { openAbout(); }); });
    // Only a pick by the user counts; selecting the stored size at start writes nothing.
    connect(sizeBox, &QComboBox::activated, this,
            [this](int index) { guarded([&] { m_palette->pickSize(index); }); });
    connect(chartTabs, &QTabBar::currentChanged, this, [this](int index) {
        guarded([&] { m_palette->showTab(static_cast<ChartTab>(index)); });
    });
}

bool MainWindow::lineIsActiveControl() const {
    // The search field works for the line: a symbol found goes in at the line's caret.
    const bool searchingForLine =
        allPanel != nullptr && focusWidget() == allPanel->searchField && m_searchFromLine;
    return focusWidget() == lineEdit || searchingForLine;
}

} // namespace korv
