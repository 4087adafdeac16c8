// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QDialog>

#include <functional>
#include <string>

#include "admincheck.h"
#include "launcher.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace korv {

/// What the About window reads and changes outside itself. The main window fills it in; the
/// About window knows nothing else of it.
struct AboutContext {
    // The program-wide options, read when the window opens and changed by Save.
    bool& autoPaste;
    bool& useUnicodeFont;
    bool& showHints;
    const std::string& homepage;
    std::string settingsPath;
    std::string exeFolder; // ends in "/"
    platform::Launcher& launcher;
    const platform::AdminCheck& admin;
    QCursor linkCursor;
    // Puts saved options into effect on the main window: the symbol panels' hints, then the
    // copy button's caption.
    std::function<void(bool showHints, bool autoPaste)> applyOptions;
    // Runs a handler so that a failure it raises reaches the general error box.
    std::function<void(const std::function<void()>&)> guard;
};

/// The About window: version, build and home-page link, the Options page and the start of the
/// legacy-font installer. Built for one opening and destroyed when closed.
class TAboutBox final : public QDialog {
public:
    explicit TAboutBox(AboutContext context, QWidget* parent = nullptr);
    ~TAboutBox() override;

    void FormCreate();
    void FormShow();
    void FormClose();
    void chOptionClick();
    void sbSaveOptionsClick();
    void sbInstallFontsClick();
    void KorvaniHomepageClick();
    void OKButtonClick();
    bool IsAdmin() const;

    // The controls, named as on the window.
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet2 = nullptr; // "About"
    QWidget* TabSheet1 = nullptr; // "Options"
    QPushButton* OKButton = nullptr;
    QFrame* Panel2 = nullptr;
    QWidget* Image1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* lbURL2 = nullptr;
    QFrame* pnlMain = nullptr;
    QCheckBox* chAutopaste = nullptr;
    QLabel* Label2 = nullptr;
    QCheckBox* chUseUnicodeFont = nullptr;
    QLabel* Label12 = nullptr;
    QCheckBox* chShowHints = nullptr;
    QLabel* Label4 = nullptr;
    QToolButton* sbSaveOptions = nullptr;
    QFrame* pnlInstallFonts = nullptr;
    QToolButton* sbInstallFonts = nullptr;

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
