// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QDialog>

class QComboBox;

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "admincheck.h"
#include "launcher.h"
#include "palette.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace korv {

/// What the About window reads and changes outside itself. The main window fills it in; the
/// About window knows nothing else of it.
struct AboutContext {
    // The options as the window opens.
    PaletteOptions options;
    const std::string& homepage;
    std::string exeFolder; // ends in "/"
    platform::Launcher& launcher;
    const platform::AdminCheck& admin;
    QCursor linkCursor;
    // Saves the options and puts them into effect; what failed, if anything.
    std::function<std::optional<std::string>(const PaletteOptions&)> saveOptions;
    // Runs a handler so that a failure it raises reaches the general error box.
    std::function<void(const std::function<void()>&)> guard;
    // The faces offered for rich copies, the default first (copyFaceChoices).
    std::vector<std::string> copyFaces = {};
};

/// The About window: version, build and home-page link, the Options page and the start of the
/// legacy-font installer. Built for one opening and destroyed when closed.
class AboutBox final : public QDialog {
public:
    explicit AboutBox(AboutContext context, QWidget* parent = nullptr);
    ~AboutBox() override;

    void fillIn();
    void prepareToShow();
    void closing();
    void optionToggled();
    void saveClicked();
    void installFontsClicked();
    void homepageClicked();
    void closeClicked();
    bool isAdmin() const;

    // The controls, named as on the window.
    QTabWidget* pages = nullptr;
    QWidget* aboutPage = nullptr;   // "About"
    QWidget* optionsPage = nullptr; // "Options"
    QPushButton* closeButton = nullptr;
    QFrame* aboutSheet = nullptr;
    QWidget* logo = nullptr;
    QLabel* nameLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* buildLabel = nullptr;
    QLabel* internetLabel = nullptr;
    QLabel* homepageLink = nullptr;
    QFrame* optionsPanel = nullptr;
    QCheckBox* autoPasteBox = nullptr;
    QLabel* autoPasteLabel = nullptr;
    QCheckBox* unicodeFontBox = nullptr;
    QLabel* unicodeFontLabel = nullptr;
    QCheckBox* hintsBox = nullptr;
    QLabel* hintsLabel = nullptr;
    QToolButton* saveButton = nullptr;
    QFrame* fontsPanel = nullptr;
    QToolButton* installFontsButton = nullptr;
    QLabel* copyFaceLabel = nullptr;
    QComboBox* copyFaceBox = nullptr; // the face rich copies name
    QLabel* accentLabel = nullptr;
    QComboBox* accentBox = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    void guarded(const std::function<void()>& handler);

    AboutContext m_context;
};

} // namespace korv
