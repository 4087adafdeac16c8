#pragma once

#include <QWidget>

#include <array>
#include <string>

#include "compositionline.h"
#include "platform.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTextEdit;

namespace korv {

class CompositionEdit;
class MessageBoxes;
class SymbolButton;
class SymbolPanel;

/// The main window: the symbol chart, the composition line and its commands.
class TKorvForm final : public QWidget {
public:
    TKorvForm(platform::Platform& platform, MessageBoxes& boxes, QWidget* parent = nullptr);
    ~TKorvForm() override;

    // Program-wide settings, filled at creation and changed by the Options page.
    bool AutoPaste = false;
    bool ShowHints = true;
    bool UseUnicodeFont = true;
    std::string Homepage;

    // Symbol chart
    void SpeedButtonClick(SymbolButton* sender);
    // Composition line
    void BtnDeleteClick();
    void BtnClearClick();
    // Window
    void TabSet1Change(int newTab);
    void BtnCloseClick();

    // True while the composition line holds, or last held, the keyboard focus.
    bool lineIsActiveControl() const;

    // The controls, named as on the window.
    QWidget* MainPanel = nullptr;
    SymbolPanel* IPAPanel = nullptr;
    SymbolPanel* AdditionalPanel = nullptr;
    SymbolPanel* DiacriticsPanel1 = nullptr;
    QFrame* PanelKorvaniPro = nullptr;
    QFrame* TabPanel = nullptr;
    QTabBar* TabSet1 = nullptr;
    CompositionEdit* TntEdit1 = nullptr;
    QLineEdit* TntEdit2 = nullptr;
    QTextEdit* TntRichEdit1 = nullptr;
    QPushButton* BtnCopy = nullptr;
    QPushButton* BtnDelete = nullptr;
    QPushButton* BtnClear = nullptr;
    QPushButton* BtnAbout = nullptr;
    QPushButton* BtnClose = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* comboSize = nullptr;

private:
    void buildLayout();
    LineState lineState() const;
    void applyEdit(const LineEdit& edit);
    template <typename Handler> void guarded(Handler&& handler);

    platform::Platform& m_platform;
    MessageBoxes& m_boxes;
    std::u16string m_lineText; // backing store for the view handed to the core
};

} // namespace korv
