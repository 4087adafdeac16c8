// SPDX-License-Identifier: GPL-3.0-or-later
#include "aboutbox.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "aboutlogo.h"
#include "settings/inifile.h"
#include "settings/settings.h"

namespace korv {
namespace {

constexpr int kClientWidth = 313;
constexpr int kClientHeight = 338;
constexpr std::string_view kInstallerName = "korvanifi";

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The window was laid out for a face of Arial's widths; wider ones would overrun the panels.
QFont windowFont() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(11);
    return font;
}

// Labels size themselves to their text, and never read it as markup: the link shows a value
// that anyone may have typed into the settings file.
void setCaption(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

template <typename Label = QLabel>
Label* label(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* created = new Label(parent);
    created->setObjectName(QLatin1String(name));
    created->setTextFormat(Qt::PlainText);
    created->move(at);
    setCaption(created, text);
    return created;
}

// A label that acts on a click: the press and the release both on it, with the left button.
class LinkLabel final : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        m_pressed = event->button() == Qt::LeftButton;
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        const bool clicked = m_pressed && event->button() == Qt::LeftButton &&
                             rect().contains(event->position().toPoint());
        m_pressed = false;
        event->accept();
        if (clicked && onClick) {
            onClick();
        }
    }

private:
    bool m_pressed = false;
};

// Raised inner and lowered outer bevel: an etched groove around the group.
QFrame* bevelPanel(QWidget* parent, const char* name, QRect geometry) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameShape(QFrame::Box);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setGeometry(geometry);
    return panel;
}

QCheckBox* optionBox(QWidget* parent, const char* name, QRect geometry) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    return box;
}

QToolButton* speedButton(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(geometry);
    return button;
}

} // namespace

TAboutBox::TAboutBox(AboutContext context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint)
    , m_context(std::move(context)) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Korvani"));
    setFont(windowFont());
    setFixedSize(kClientWidth, kClientHeight);
    setModal(true);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area(QPoint(), size());
        area.moveCenter(screen->availableGeometry().center());
        move(area.topLeft());
    }
    buildLayout();
    FormCreate();
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::buildLayout() {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(8, 8, 297, 281);
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet2, QStringLiteral("About"));
    PageControl1->addTab(TabSheet1, QStringLiteral("Options"));
    PageControl1->setCurrentWidget(TabSheet2);

    OKButton = new QPushButton(QStringLiteral("Close"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(121, 300, 75, 25);
    OKButton->setDefault(true);

    // The "About" page: a white sheet with the logo, the name, version, build and the link.
    Panel2 = new QFrame(TabSheet2);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameShape(QFrame::Box);
    Panel2->setFrameShadow(QFrame::Plain);
    Panel2->setLineWidth(1);
    QPalette white = Panel2->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    Panel2->setPalette(white);
    Panel2->setAutoFillBackground(true);
    auto* fill = new QVBoxLayout(TabSheet2);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(Panel2);

    Image1 = new AboutLogo(Panel2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 8, 64, 64);

    Label5 = label(Panel2, "Label5", QStringLiteral("Korvani"), {88, 16});
    QFont title = font();
    title.setBold(true);
    title.setPixelSize(13); // 10 points
    Label5->setFont(title);
    Label5->adjustSize();
    Label8 = label(Panel2, "Label8", QStringLiteral("version 6"), {157, 18});
    Label1 = label(Panel2, "Label1", QStringLiteral("BUILD:"), {88, 48});
    Label9 = label(Panel2, "Label9", QStringLiteral("Internet:"), {16, 80});

    // Right after "Internet:", should a wider face make that longer than planned.
    const int linkLeft =
        std::max(56, Label9->x() + Label9->fontMetrics().horizontalAdvance(Label9->text()));
    auto* link = label<LinkLabel>(Panel2, "lbURL2", QString(), {linkLeft, 80});
    QPalette blue = link->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    link->setPalette(blue);
    QFont underlined = link->font();
    underlined.setUnderline(true);
    link->setFont(underlined);
    link->onClick = [this] { guarded([this] { KorvaniHomepageClick(); }); };
    lbURL2 = link;

    // The "Options" page. The texts are labels of their own: clicking one leaves its box alone.
    pnlMain = bevelPanel(TabSheet1, "pnlMain", {8, 8, 273, 145});
    chAutopaste = optionBox(pnlMain, "chAutopaste", {12, 23, 16, 17});
    Label2 = label(pnlMain, "Label2",
                   QStringLiteral("Automatically paste script into target document"), {32, 24});
    chUseUnicodeFont = optionBox(pnlMain, "chUseUnicodeFont", {12, 48, 17, 17});
    Label12 =
        label(pnlMain, "Label12", QStringLiteral("Use Unicode Fonts (recommended)"), {32, 50});
    chShowHints = optionBox(pnlMain, "chShowHints", {12, 72, 17, 17});
    Label4 = label(pnlMain, "Label4", QStringLiteral("Show button hints"), {32, 74});
    sbSaveOptions =
        speedButton(pnlMain, "sbSaveOptions", QStringLiteral("Save"), {56, 107, 153, 22});

    pnlInstallFonts = bevelPanel(TabSheet1, "pnlInstallFonts", {8, 160, 273, 81});
    sbInstallFonts = speedButton(pnlInstallFonts, "sbInstallFonts",
                                 QStringLiteral("Install Legacy Fonts"), {56, 32, 153, 22});

    for (QCheckBox* box : {chAutopaste, chUseUnicodeFont, chShowHints}) {
        connect(box, &QCheckBox::clicked, this, [this] { guarded([this] { chOptionClick(); }); });
    }
    connect(sbSaveOptions, &QToolButton::clicked, this,
            [this] { guarded([this] { sbSaveOptionsClick(); }); });
    connect(sbInstallFonts, &QToolButton::clicked, this,
            [this] { guarded([this] { sbInstallFontsClick(); }); });
    connect(OKButton, &QPushButton::clicked, this,
            [this] { guarded([this] { OKButtonClick(); }); });
}

void TAboutBox::guarded(const std::function<void()>& handler) {
    if (m_context.guard) {
        m_context.guard(handler);
    } else {
        handler();
    }
}

void TAboutBox::FormCreate() {
    lbURL2->setCursor(m_context.linkCursor);
    setCaption(lbURL2, QString::fromStdString(m_context.homepage));
    chAutopaste->setChecked(m_context.autoPaste);
    chUseUnicodeFont->setChecked(m_context.useUnicodeFont);
    chShowHints->setChecked(m_context.showHints);
}

void TAboutBox::FormShow() {
    const bool admin = IsAdmin();
    sbSaveOptions->setEnabled(false);
    setCaption(Label1, QStringLiteral("Build: ") + fromView(kBuild));
    setCaption(Label8, QStringLiteral("version ") + fromView(kVersion));
    sbInstallFonts->setEnabled(admin);
}

void TAboutBox::chOptionClick() {
    sbSaveOptions->setEnabled(true);
}

void TAboutBox::sbSaveOptionsClick() {
    m_context.autoPaste = chAutopaste->isChecked();
    m_context.useUnicodeFont = chUseUnicodeFont->isChecked();
    m_context.showHints = chShowHints->isChecked();

    // One access per value; the first that fails ends the save, the window left as it was.
    IniFile ini(m_context.settingsPath);
    const std::array<std::pair<std::string_view, bool>, 3> values{{
        {kAutoPasteKey, m_context.autoPaste},
        {kUseUnicodeFontKey, m_context.useUnicodeFont},
        {kShowHintsKey, m_context.showHints},
    }};
    for (const auto& [key, value] : values) {
        if (!ini.writeBool(kOptionsSection, key, value)) {
            throw std::runtime_error("Unable to write to " + m_context.settingsPath);
        }
    }

    if (m_context.applyOptions) {
        m_context.applyOptions(m_context.showHints, chAutopaste->isChecked());
    }
    sbSaveOptions->setEnabled(false);
}

void TAboutBox::sbInstallFontsClick() {
    m_context.launcher.startProgram(m_context.exeFolder + std::string(kInstallerName));
}

void TAboutBox::KorvaniHomepageClick() {
    m_context.launcher.openAddress(m_context.homepage);
    close();
}

void TAboutBox::OKButtonClick() {
    close();
}

void TAboutBox::FormClose() {
    setAttribute(Qt::WA_DeleteOnClose);
}

bool TAboutBox::IsAdmin() const {
    return m_context.admin.isAdmin();
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        guarded([this] { FormShow(); });
    }
}

void TAboutBox::closeEvent(QCloseEvent* event) {
    guarded([this] { FormClose(); });
    QDialog::closeEvent(event);
}

void TAboutBox::keyPressEvent(QKeyEvent* event) {
    // With no Cancel button, Escape does not close the window; only its three ways do.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace korv
