// SPDX-License-Identifier: GPL-3.0-or-later
#include "aboutbox.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
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
#include "coretext.h"
#include "settings/inifile.h"
#include "settings/settings.h"

namespace korv {
namespace {

constexpr int kAboutWidth = 313;
constexpr int kAboutHeight = 338;
constexpr std::string_view kInstallerName = "korvanifi";

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

AboutBox::AboutBox(AboutContext context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint)
    , m_context(std::move(context)) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Korvani"));
    setFont(windowFont());
    setFixedSize(kAboutWidth, kAboutHeight);
    setModal(true);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area(QPoint(), size());
        area.moveCenter(screen->availableGeometry().center());
        move(area.topLeft());
    }
    buildLayout();
    fillIn();
}

AboutBox::~AboutBox() = default;

void AboutBox::buildLayout() {
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("pages"));
    pages->setGeometry(8, 8, 297, 281);
    aboutPage = new QWidget;
    aboutPage->setObjectName(QStringLiteral("aboutPage"));
    optionsPage = new QWidget;
    optionsPage->setObjectName(QStringLiteral("optionsPage"));
    pages->addTab(aboutPage, QStringLiteral("About"));
    pages->addTab(optionsPage, QStringLiteral("Options"));
    pages->setCurrentWidget(aboutPage);

    closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setGeometry(121, 300, 75, 25);
    closeButton->setDefault(true);

    // The "About" page: a white sheet with the logo, the name, version, build and the link.
    aboutSheet = new QFrame(aboutPage);
    aboutSheet->setObjectName(QStringLiteral("aboutSheet"));
    aboutSheet->setFrameShape(QFrame::Box);
    aboutSheet->setFrameShadow(QFrame::Plain);
    aboutSheet->setLineWidth(1);
    QPalette white = aboutSheet->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    aboutSheet->setPalette(white);
    aboutSheet->setAutoFillBackground(true);
    auto* fill = new QVBoxLayout(aboutPage);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(aboutSheet);

    logo = new AboutLogo(aboutSheet);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setGeometry(16, 8, 64, 64);

    nameLabel = label(aboutSheet, "nameLabel", QStringLiteral("Korvani"), {88, 16});
    QFont title = font();
    title.setBold(true);
    title.setPixelSize(13); // 10 points
    nameLabel->setFont(title);
    nameLabel->adjustSize();
    versionLabel = label(aboutSheet, "versionLabel", QStringLiteral("version 6"), {157, 18});
    buildLabel = label(aboutSheet, "buildLabel", QStringLiteral("BUILD:"), {88, 48});
    internetLabel = label(aboutSheet, "internetLabel", QStringLiteral("Internet:"), {16, 80});

    // A space after "Internet:", should a wider face make that longer than planned.
    const int linkLeft =
        std::max(56, internetLabel->x() + internetLabel->fontMetrics().horizontalAdvance(
                                              internetLabel->text() + QLatin1Char(' ')));
    auto* link = label<LinkLabel>(aboutSheet, "homepageLink", QString(), {linkLeft, 80});
    QPalette blue = link->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    link->setPalette(blue);
    QFont underlined = link->font();
    underlined.setUnderline(true);
    link->setFont(underlined);
    link->onClick = [this] { guarded([this] { homepageClicked(); }); };
    homepageLink = link;

    // The "Options" page. The texts are labels of their own: clicking one leaves its box alone.
    optionsPanel = bevelPanel(optionsPage, "optionsPanel", {8, 8, 273, 145});
    autoPasteBox = optionBox(optionsPanel, "autoPasteBox", {12, 23, 16, 17});
    autoPasteLabel =
        label(optionsPanel, "autoPasteLabel",
              QStringLiteral("Automatically paste script into target document"), {32, 24});
    unicodeFontBox = optionBox(optionsPanel, "unicodeFontBox", {12, 48, 17, 17});
    unicodeFontLabel = label(optionsPanel, "unicodeFontLabel",
                             QStringLiteral("Use Unicode Fonts (recommended)"), {32, 50});
    hintsBox = optionBox(optionsPanel, "hintsBox", {12, 72, 17, 17});
    hintsLabel = label(optionsPanel, "hintsLabel", QStringLiteral("Show button hints"), {32, 74});
    saveButton =
        speedButton(optionsPanel, "saveButton", QStringLiteral("Save"), {56, 107, 153, 22});

    fontsPanel = bevelPanel(optionsPage, "fontsPanel", {8, 160, 273, 81});
    installFontsButton = speedButton(fontsPanel, "installFontsButton",
                                     QStringLiteral("Install Legacy Fonts"), {56, 32, 153, 22});
    copyFaceLabel =
        label(fontsPanel, "copyFaceLabel", QStringLiteral("Face for copies:"), {12, 10});
    copyFaceBox = new QComboBox(fontsPanel);
    copyFaceBox->setObjectName(QStringLiteral("copyFaceBox"));
    copyFaceBox->setGeometry(104, 6, 157, 21);
    copyFaceBox->setAccessibleName(QStringLiteral("Face for copies"));
    copyFaceLabel->setBuddy(copyFaceBox);
    for (std::size_t i = 0; i < m_context.copyFaces.size(); ++i) {
        const QString face = QString::fromStdString(m_context.copyFaces[i]);
        // The first is the default, stored as no choice at all.
        copyFaceBox->addItem(i == 0 ? face + QStringLiteral(" (default)") : face,
                             i == 0 ? QString() : face);
    }
    connect(copyFaceBox, &QComboBox::activated, this,
            [this] { guarded([this] { optionToggled(); }); });
    // The accent Ctrl+T transcribes spelling into; the line's context menu has it too.
    accentLabel = label(fontsPanel, "accentLabel", QStringLiteral("Spelling to IPA:"), {12, 60});
    accentBox = new QComboBox(fontsPanel);
    accentBox->setObjectName(QStringLiteral("accentBox"));
    accentBox->setGeometry(110, 56, 150, 21);
    accentBox->addItems({QStringLiteral("British (RP)"), QStringLiteral("American (GA)")});
    accentBox->setAccessibleName(QStringLiteral("Spelling to IPA accent"));
    accentLabel->setBuddy(accentBox);
    connect(accentBox, &QComboBox::activated, this,
            [this] { guarded([this] { optionToggled(); }); });

    for (QCheckBox* box : {autoPasteBox, unicodeFontBox, hintsBox}) {
        connect(box, &QCheckBox::clicked, this, [this] { guarded([this] { optionToggled(); }); });
    }
    connect(saveButton, &QToolButton::clicked, this,
            [this] { guarded([this] { saveClicked(); }); });
    connect(installFontsButton, &QToolButton::clicked, this,
            [this] { guarded([this] { installFontsClicked(); }); });
    connect(closeButton, &QPushButton::clicked, this,
            [this] { guarded([this] { closeClicked(); }); });
}

void AboutBox::guarded(const std::function<void()>& handler) {
    if (m_context.guard) {
        m_context.guard(handler);
    } else {
        handler();
    }
}

void AboutBox::fillIn() {
    homepageLink->setCursor(m_context.linkCursor);
    setCaption(homepageLink, QString::fromStdString(m_context.homepage));
    autoPasteBox->setChecked(m_context.options.autoPaste);
    accentBox->setCurrentIndex(m_context.options.transcribe.accent == Accent::Ga ? 1 : 0);
    unicodeFontBox->setChecked(m_context.options.useUnicodeFont);
    hintsBox->setChecked(m_context.options.showHints);
    const QString face = QString::fromStdString(m_context.options.copyFace);
    const int faceIndex = copyFaceBox->findData(face);
    copyFaceBox->setCurrentIndex(faceIndex >= 0 ? faceIndex : 0);
    // The legacy font's copies name the legacy font.
    copyFaceBox->setEnabled(m_context.options.useUnicodeFont);
}

void AboutBox::prepareToShow() {
    const bool admin = isAdmin();
    saveButton->setEnabled(false);
    setCaption(buildLabel, QStringLiteral("Build: ") + fromUtf8(kBuild));
    setCaption(versionLabel, QStringLiteral("version ") + fromUtf8(kVersion));
    installFontsButton->setEnabled(admin);
}

void AboutBox::optionToggled() {
    saveButton->setEnabled(true);
    copyFaceBox->setEnabled(unicodeFontBox->isChecked());
}

void AboutBox::saveClicked() {
    m_context.options.autoPaste = autoPasteBox->isChecked();
    m_context.options.showHints = hintsBox->isChecked();
    m_context.options.useUnicodeFont = unicodeFontBox->isChecked();
    m_context.options.transcribe.accent = accentBox->currentIndex() == 1 ? Accent::Ga : Accent::Rp;
    m_context.options.copyFace = copyFaceBox->currentData().toString().toStdString();
    if (const auto failure = m_context.saveOptions(m_context.options)) {
        throw std::runtime_error(*failure);
    }
    saveButton->setEnabled(false);
}

void AboutBox::installFontsClicked() {
    m_context.launcher.startProgram(m_context.exeFolder + std::string(kInstallerName));
}

void AboutBox::homepageClicked() {
    m_context.launcher.openAddress(m_context.homepage);
    close();
}

void AboutBox::closeClicked() {
    close();
}

void AboutBox::closing() {
    setAttribute(Qt::WA_DeleteOnClose);
}

bool AboutBox::isAdmin() const {
    return m_context.admin.isAdmin();
}

void AboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        guarded([this] { prepareToShow(); });
    }
}

void AboutBox::closeEvent(QCloseEvent* event) {
    guarded([this] { closing(); });
    QDialog::closeEvent(event);
}

void AboutBox::keyPressEvent(QKeyEvent* event) {
    // With no Cancel button, Escape does not close the window; only its three ways do.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace korv
