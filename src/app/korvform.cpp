// SPDX-License-Identifier: GPL-3.0-or-later
#include "korvform.h"

#include <QApplication>
#include <QComboBox>

#include <QFont>
#include <QLabel>
#include <QPushButton>
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
#include "faces.h"
#include "focuswheel.h"
#include "messages.h"
#include "symbolgrid.h"
#include "symboltable.h"
#include "symboltag.h"
#include "trayicon.h"

namespace korv {
namespace {

constexpr int kClientWidth = 331;
constexpr int kClientHeight = 226;

QFont windowFont() {
    QFont font = installedFace({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("DejaVu Sans")});
    font.setPixelSize(11);
    return font;
}

// The composition line asks for its face and falls back on faces that carry IPA.
QFont unicodeFont(int pixelSize) {
    QFont font = installedFace({QStringLiteral("Lucida Sans Unicode"),
                                QStringLiteral("DejaVu Sans"), QStringLiteral("Charis SIL")});
    font.setPixelSize(pixelSize);
    return font;
}

QFrame* sunkenFrame(QWidget* parent, const char* name, QRect geometry, QFrame::Shape shape) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(shape);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(geometry);
    return frame;
}

QPushButton* commandButton(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    return button;
}

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// One chart panel: its symbols painted as buttons by one widget.
SymbolGrid* symbolPanel(QWidget* parent, const char* name, QRect geometry, ChartPanel which) {
    auto* panel = new SymbolGrid(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setGeometry(geometry);
    QList<SymbolGrid::Cell> cells;
    for (const SymbolButtonEntry& entry : kSymbolButtons) {
        if (entry.panel != which) {
            continue;
        }
        const QString symbol = QString::fromStdU16String(symbolOfTag(entry.tag));
        // A screen reader says the symbol and, as its description, the example.
        cells.append({QRect(entry.left, entry.top, entry.width, entry.height), symbol,
                      entry.glyphAlign, entry.glyphMargin, latin1(entry.hint), symbol,
                      latin1(entry.hint), entry.tag});
    }
    panel->setCells(std::move(cells));
    return panel;
}

} // namespace

TKorvForm::TKorvForm(platform::Platform& platform, MessageBoxes& boxes, Folders folders,
                     QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_platform(platform)
    , m_boxes(boxes)
    , m_settingsFolder(std::move(folders.settings))
    , m_exeFolder(std::move(folders.executable)) {
    setObjectName(QStringLiteral("KorvForm"));
    setWindowTitle(kAppTitle);
    setFont(windowFont());
    setFixedSize(kClientWidth, kClientHeight);
    move(702, 252);
    buildLayout();
    // The components come into being with the window, then the window's own creation runs; the
    // tray icon, which the first picture does not need, waits for it (finishStart).
    // winId() makes the native window, which placing the frame needs too.
    m_platform.placement.lockSize(static_cast<platform::WindowHandle>(winId()));
    FormCreate();
    // A window being shown waits for its first paint, but not for ever: one the window manager
    // does not map (kept on another desktop, say) still gets its tray icon.
    QTimer::singleShot(0, this, [this] {
        if (!isVisible()) {
            finishStart();
        } else if (!m_painted) {
            // While the window manager maps the window, load the one face the first picture
            // still lacks: Copy's bold.
            QFontMetrics(BtnCopy->font()).horizontalAdvance(BtnCopy->text());
        }
    });
    QTimer::singleShot(kLatestStartMs, this, [this] { finishStart(); });
}

void TKorvForm::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        // Once this picture has gone to the screen.
        QTimer::singleShot(0, this, [this] { finishStart(); });
    }
}

void TKorvForm::finishStart() {
    if (m_started) {
        return;
    }
    m_started = true;
    // Drawing the icon's sizes and asking the session bus for a notification area cost as much as
    // the rest of the start-up.
    loadTrayIcon();
    setWindowIcon(appIcon());
    // The bus is no part of what the first paint waits for.
    listenForSummons();
}

TKorvForm::~TKorvForm() {
    // Focus moves while the base class takes the children down, and the watcher reads this form.
    if (AllPanel != nullptr) {
        disconnect(qApp, &QApplication::focusChanged, AllPanel, nullptr);
    }
}

void TKorvForm::ensureStagingControls() {
    if (TntRichEdit1 != nullptr) {
        return;
    }
    PanelKorvaniPro = new QFrame(MainPanel);
    PanelKorvaniPro->setObjectName(QStringLiteral("PanelKorvaniPro"));
    PanelKorvaniPro->setGeometry(10, 50, 200, 145);
    PanelKorvaniPro->setAutoFillBackground(true);
    PanelKorvaniPro->setBackgroundRole(QPalette::ToolTipBase);
    PanelKorvaniPro->hide();
    TntEdit2 = new QLineEdit(PanelKorvaniPro);
    TntEdit2->setObjectName(QStringLiteral("TntEdit2"));
    TntEdit2->setGeometry(32, 48, 129, 22);
    // Only the program writes here, and Copy must carry the whole line.
    TntEdit2->setMaxLength(std::numeric_limits<int>::max());
    // The legacy face is often not installed, which costs a search for a stand-in.
    QFont legacy(QStringLiteral("Korvani"));
    legacy.setPixelSize(13);
    TntEdit2->setFont(legacy);
    TntEdit2->hide();

    // Staging area for rich copies: a live control that lies below the client area.
    TntRichEdit1 = new QTextEdit(MainPanel);
    TntRichEdit1->setObjectName(QStringLiteral("TntRichEdit1"));
    TntRichEdit1->setGeometry(0, 232, 257, 33);
    TntRichEdit1->setFocusPolicy(Qt::NoFocus);
    TntRichEdit1->setFont(unicodeFont(15));
    // Made after the window was shown, a child is shown by hand.
    if (MainPanel->isVisible()) {
        TntRichEdit1->show();
    }
}

void TKorvForm::buildLayout() {
    MainPanel = new QWidget(this);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    MainPanel->setGeometry(0, 0, kClientWidth, kClientHeight);

    sunkenFrame(MainPanel, "bevFrame", {8, 48, 204, 149}, QFrame::Box);
    sunkenFrame(MainPanel, "DiacriticBevel1", {216, 48, 29, 75}, QFrame::Box);

    IPAPanel = symbolPanel(MainPanel, "IPAPanel", {10, 50, 200, 145}, ChartPanel::Standard);
    AdditionalPanel =
        symbolPanel(MainPanel, "AdditionalPanel", {10, 50, 200, 145}, ChartPanel::Additional);
    DiacriticsPanel1 =
        symbolPanel(MainPanel, "DiacriticsPanel1", {218, 50, 25, 71}, ChartPanel::Diacritics);
    AdditionalPanel->hide();
    SymbolGrid::drawGlyphsAhead({IPAPanel, DiacriticsPanel1}, qApp->devicePixelRatio());

    // Divider lines between single vowels, diphthongs and consonants.
    sunkenFrame(IPAPanel, "bevVert", {100, 0, 2, 73}, QFrame::VLine);
    sunkenFrame(IPAPanel, "bevHoriz", {0, 72, 204, 2}, QFrame::HLine);

    for (SymbolGrid* panel : {IPAPanel, AdditionalPanel, DiacriticsPanel1}) {
        panel->clicked = [this, panel](int cell) {
            guarded([&] { SpeedButtonClick(panel->cells().at(cell).payload); });
        };
        panel->contextMenuRequested = [this, panel](int cell, QPoint globalPos) {
            const std::u16string symbol = symbolOfTag(panel->cells().at(cell).payload);
            guarded([&] { SymbolMenuPopup(symbol, globalPos); });
        };
    }

    comboSize = new QComboBox(MainPanel);
    comboSize->setObjectName(QStringLiteral("comboSize"));
    comboSize->setGeometry(277, 122, 44, 21);
    comboSize->addItems(
        {QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("11"),
         QStringLiteral("12"), QStringLiteral("14"), QStringLiteral("16"), QStringLiteral("18"),
         QStringLiteral("20"), QStringLiteral("22"), QStringLiteral("24"), QStringLiteral("26"),
         QStringLiteral("28"), QStringLiteral("36"), QStringLiteral("48"), QStringLiteral("72")});
    comboSize->setCurrentIndex(6);
    comboSize->setFocusPolicy(Qt::StrongFocus);
    comboSize->setAccessibleName(QStringLiteral("Point size"));
    nameDropDownList(comboSize);
    wheelOnlyWithFocus(comboSize);

    TntEdit1 = new CompositionEdit(MainPanel);
    TntEdit1->setObjectName(QStringLiteral("TntEdit1"));
    TntEdit1->setGeometry(8, 10, 236, 31);
    TntEdit1->setFont(unicodeFont(19));
    TntEdit1->setAccessibleName(QStringLiteral("Transcription"));
    QWidget::setTabOrder(comboSize, TntEdit1);

    BtnCopy = commandButton(MainPanel, "BtnCopy", QStringLiteral("Copy"), {252, 10, 70, 28});
    QFont bold = BtnCopy->font();
    bold.setBold(true);
    BtnCopy->setFont(bold);
    BtnDelete = commandButton(MainPanel, "BtnDelete", QStringLiteral("Back"), {252, 42, 70, 28});
    BtnClear = commandButton(MainPanel, "BtnClear", QStringLiteral("Clear all"), {252, 74, 70, 28});
    BtnAbout = commandButton(MainPanel, "BtnAbout", QStringLiteral("About"), {252, 162, 70, 25});
    BtnClose = commandButton(MainPanel, "BtnClose", QStringLiteral("Hide"), {252, 191, 70, 25});

    Label1 = new QLabel(QStringLiteral("Size:"), MainPanel);
    Label1->setObjectName(QStringLiteral("Label1"));
    // Sized to its text, as labels are, should the window face be wider than planned.
    Label1->setGeometry(252, 126, std::max(23, Label1->sizeHint().width()), 13);
    Label1->setBuddy(comboSize);

    TabPanel = new QFrame(MainPanel);
    TabPanel->setObjectName(QStringLiteral("TabPanel"));
    TabPanel->setGeometry(8, 197, 204, 19);
    TabPanel->setFrameShape(QFrame::Panel);
    TabPanel->setFrameShadow(QFrame::Sunken);
    TabSet1 = new ChartTabs(TabPanel);
    TabSet1->setObjectName(QStringLiteral("TabSet1"));
    TabSet1->setGeometry(1, 0, 201, 17);
    TabSet1->setShape(QTabBar::RoundedSouth);
    TabSet1->setDrawBase(false);
    TabSet1->setExpanding(false);
    TabSet1->setUsesScrollButtons(false);
    TabSet1->setFocusPolicy(Qt::NoFocus);
    wheelOnlyWithFocus(TabSet1);
    TabSet1->setFont(windowFont());
    TabSet1->addTab(QStringLiteral("Standard"));
    TabSet1->addTab(QStringLiteral("Additional"));
    TabSet1->addTab(QStringLiteral("All"));
    TabSet1->addTab(QStringLiteral("Mine"));
    exposeTabsOnly(TabSet1);

    // Copy's staging controls are no part of what the user works with.
    leaveOutOfAccessibleTree(MainPanel, [this](const QWidget* child) {
        return child == PanelKorvaniPro || child == TntRichEdit1;
    });

    // The buttons and tabs never take the focus, so the line takes their keys.
    TntEdit1->OnCopyKey = [this] { BtnCopy->click(); };
    TntEdit1->OnChartKey = [this](int step) {
        const int count = TabSet1->count();
        TabSet1->setCurrentIndex((TabSet1->currentIndex() + step + count) % count);
    };
    TntEdit1->OnSearchKey = [this] { showAllSymbols(); };
    TntEdit1->OnPinKey = [this] { guarded([&] { TntEdit1PinKey(); }); };

    connect(BtnDelete, &QPushButton::clicked, this, [this] { guarded([&] { BtnDeleteClick(); }); });
    connect(BtnClear, &QPushButton::clicked, this, [this] { guarded([&] { BtnClearClick(); }); });
    connect(BtnClose, &QPushButton::clicked, this, [this] { guarded([&] { BtnCloseClick(); }); });
    connect(BtnCopy, &QPushButton::clicked, this, [this] { guarded([&] { BtnCopyClick(); }); });
    connect(BtnAbout, &QPushButton::clicked, this, [this] { guarded([&] { AboutClick(); }); });
    // Only a pick by the user counts; selecting the stored size at start writes nothing.
    connect(comboSize, &QComboBox::activated, this,
            [this](int index) { guarded([&] { comboSizeChange(index); }); });
    connect(TabSet1, &QTabBar::currentChanged, this,
            [this](int index) { guarded([&] { TabSet1Change(index); }); });
}

bool TKorvForm::lineIsActiveControl() const {
    // The search field works for the line: a symbol found goes in at the line's caret.
    const bool searchingForLine =
        AllPanel != nullptr && focusWidget() == AllPanel->SearchEdit1 && m_searchFromLine;
    return focusWidget() == TntEdit1 || searchingForLine;
}

LineState TKorvForm::lineState() const {
    LineState state;
    state.text = m_lineText;
    state.selStart = static_cast<std::size_t>(TntEdit1->selStart());
    state.selLength = static_cast<std::size_t>(TntEdit1->selLength());
    state.isActiveControl = lineIsActiveControl();
    return state;
}

void TKorvForm::applyEdit(const LineEdit& edit) {
    const QString text = QString::fromStdU16String(edit.text);
    // Replacing the text by itself must not move the caret.
    if (TntEdit1->text() != text) {
        TntEdit1->setProgramText(text);
    }
    if (edit.focusLine) {
        TntEdit1->setFocus(Qt::OtherFocusReason);
    }
    TntEdit1->setCursorPosition(static_cast<int>(edit.caret));
    TntEdit1->deselect();
}

void TKorvForm::insertCharacters(std::u16string_view chars) {
    m_lineText = TntEdit1->text().toStdU16String();
    applyEdit(insertSymbol(lineState(), chars));
    noteInserted(chars);
}

void TKorvForm::SpeedButtonClick(int tag) {
    insertCharacters(symbolOfTag(tag));
}

void TKorvForm::AllGrid1Click(std::u16string_view chars) {
    insertCharacters(chars);
}

void TKorvForm::showAllSymbols() {
    TabSet1->setCurrentIndex(2);
    if (AllPanel != nullptr) {
        AllPanel->focusSearch();
    }
}

void TKorvForm::BtnDeleteClick() {
    m_lineText = TntEdit1->text().toStdU16String();
    applyEdit(deleteBack(lineState()));
}

void TKorvForm::BtnClearClick() {
    if (TntRichEdit1 != nullptr) {
        TntRichEdit1->clear();
    }
    applyEdit(clearAll());
}

} // namespace korv
