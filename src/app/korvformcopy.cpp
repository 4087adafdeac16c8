// SPDX-License-Identifier: GPL-3.0-or-later
// Copy: the composition line leaves the program as plain and rich text, and optionally lands in
// the previously active application through a synthesised Alt+Tab, Ctrl+V.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolTip>

#include <stdexcept>
#include <string>

#include "compositionedit.h"
#include "copypayload.h"
#include "korvform.h"
#include "legacycode.h"
#include "richtext.h"
#include "trayicon.h"

namespace korv {
namespace {

const QString kPasteByHandNotice = QStringLiteral("Copied: press Ctrl+V to paste");

// A whole decimal number, as the size box shows it; anything else fails the way a conversion of
// user text to a number fails.
int parseWholeNumber(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok) {
        throw std::runtime_error("'" + text.toStdString() + "' is not a valid integer value");
    }
    return value;
}

QString faceName(std::string_view face) {
    return QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
}

} // namespace

std::int32_t TKorvForm::UnicodeToKorvaniCode(std::int32_t codeUnit) {
    return korv::UnicodeToKorvaniCode(codeUnit);
}

std::u16string TKorvForm::ConvertUnicodeToKorvaniString(std::u16string_view text) const {
    return korv::ConvertUnicodeToKorvaniString(text, UseUnicodeFont);
}

void TKorvForm::BtnCopyClick() {
    finishStart(); // the notice beside the tray icon needs the icon
    ensureStagingControls();
    if (m_activation != nullptr) {
        // A summon still asking for the focus would take it back from the paste's target.
        m_activation->stop();
    }
    bool onClipboard = false;
    const std::u16string converted =
        ConvertUnicodeToKorvaniString(TntEdit1->text().toStdU16String());
    TntEdit2->setText(QString::fromStdU16String(converted));
    const QString copied = TntEdit2->text();
    if (!copied.isEmpty()) {
        CopyPayload payload;
        payload.plain = copied.toStdU16String();
        TntEdit2->selectAll();

        const std::string_view face = UseUnicodeFont ? UnicodeFontFace : KorvaniFontFace;
        TntRichEdit1->clear();
        int points = 0;
        try {
            points = parseWholeNumber(comboSize->currentText());
        } catch (...) {
            // The plain copy stands on its own: should the rich copy fail, this is what
            // remains.
            m_platform.clipboard.put(payload);
            throw;
        }
        QFont staged = TntRichEdit1->font();
        staged.setPointSize(points);
        staged.setFamilies({faceName(face)});
        TntRichEdit1->setFont(staged);
        QTextCursor cursor(TntRichEdit1->document());
        // One edit block: the staging area lays the text out once, not once per step.
        cursor.beginEditBlock();
        QTextCharFormat format;
        format.setFont(staged);
        cursor.insertText(copied, format);

        // Select the first line and give it the face alone, as a reader of the staging area
        // would see the run that went to the clipboard.
        const QString line = TntRichEdit1->document()->firstBlock().text();
        cursor.setPosition(0);
        cursor.setPosition(static_cast<int>(line.size()), QTextCursor::KeepAnchor);
        QTextCharFormat faceOnly;
        faceOnly.setFontFamilies({faceName(face)});
        cursor.mergeCharFormat(faceOnly);
        cursor.endEditBlock();
        TntRichEdit1->setTextCursor(cursor);

        payload.rtf = buildRtf(payload.plain, face, points);
        payload.html = buildHtml(payload.plain, face, points);
        payload.face = std::string(face);
        payload.points = points;
        onClipboard = m_platform.clipboard.put(payload);
    }

    const int end = static_cast<int>(TntEdit1->text().size());
    TntEdit1->setFocus(Qt::OtherFocusReason);
    TntEdit1->setCursorPosition(end);
    TntEdit1->deselect();

    if (AutoPaste) {
        const bool pasted = m_platform.pasteTarget.pasteIntoPreviousWindow(
            static_cast<platform::WindowHandle>(winId()));
        if (!pasted && onClipboard) {
            tellToPasteByHand();
        }
    }
}

void TKorvForm::tellToPasteByHand() {
    // Once per run: the first time teaches it, every time would nag.
    if (m_pasteNoticeGiven) {
        return;
    }
    m_pasteNoticeGiven = true;
    if (!m_platform.notificationArea.showNotice(kAppTitle.toStdString(),
                                                kPasteByHandNotice.toStdString())) {
        // With neither a notification area nor a notification service, a tooltip under the
        // button says it; it takes no focus either.
        QToolTip::showText(BtnCopy->mapToGlobal(QPoint(0, BtnCopy->height())), kPasteByHandNotice,
                           BtnCopy);
    }
}

} // namespace korv
