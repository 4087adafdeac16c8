// SPDX-License-Identifier: GPL-3.0-or-later
// Copy: the composition line leaves the program as plain and rich text, and optionally lands in
// the previously active application through a synthesised Alt+Tab, Ctrl+V.
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolTip>

#include <stdexcept>
#include <string>

#include "compositionedit.h"
#include "keysequence.h"
#include "korvform.h"
#include "legacycode.h"
#include "richtext.h"
#include "trayicon.h"

namespace korv {
namespace {

const QString kNeedsNtMessage =
    QStringLiteral("This version of Korvani requires Windows 2000 (or greater) to run.");

const QString kPasteByHandNotice = QStringLiteral("Copied: press Ctrl+V to paste");

// Browsers ask for this target rather than UTF8_STRING; Qt offers it only when set explicitly.
const QString kPlainUtf8Mime = QStringLiteral("text/plain;charset=utf-8");

QByteArray bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QMimeData* plainData(const QString& text) {
    auto* data = new QMimeData;
    data->setText(text);
    data->setData(kPlainUtf8Mime, text.toUtf8());
    return data;
}

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
    if (m_platform.os.version().platformId != platform::kPlatformNt) {
        m_boxes.showMessage(kNeedsNtMessage);
    } else {
        const std::u16string converted =
            ConvertUnicodeToKorvaniString(TntEdit1->text().toStdU16String());
        TntEdit2->setText(QString::fromStdU16String(converted));
        const QString copied = TntEdit2->text();
        if (!copied.isEmpty()) {
            QClipboard* clipboard = QGuiApplication::clipboard();
            // The plain copy stands on its own: should the rich copy fail, this is what remains.
            TntEdit2->selectAll();
            clipboard->setMimeData(plainData(copied));

            const std::string_view face = UseUnicodeFont ? UnicodeFontFace : KorvaniFontFace;
            TntRichEdit1->clear();
            const int points = parseWholeNumber(comboSize->currentText());
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

            const std::u16string text = copied.toStdU16String();
            QMimeData* rich = plainData(copied);
            rich->setData(QStringLiteral("text/rtf"), bytes(buildRtf(text, face, points)));
            rich->setData(QStringLiteral("text/html"), bytes(buildHtml(text, face, points)));
            clipboard->setMimeData(rich);
            onClipboard = true;
        }
    }

    const int end = static_cast<int>(TntEdit1->text().size());
    TntEdit1->setFocus(Qt::OtherFocusReason);
    TntEdit1->setCursorPosition(end);
    TntEdit1->deselect();

    if (AutoPaste) {
        platform::KeyInjector& keys = m_platform.keys;
        const auto events = buildAutoPasteKeys([&keys](char ch) { return keys.vkKeyScanA(ch); });
        const bool pasted =
            keys.sendAutoPaste(events, static_cast<platform::WindowHandle>(winId()));
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
    const platform::NotifyIconData& icon = TrayIcon1->iconData();
    if (!m_platform.notifyShell.showNotice(icon.hWnd, icon.uID, kAppTitle.toStdString(),
                                           kPasteByHandNotice.toStdString())) {
        // With neither a notification area nor a notification service, a tooltip under the
        // button says it; it takes no focus either.
        QToolTip::showText(BtnCopy->mapToGlobal(QPoint(0, BtnCopy->height())), kPasteByHandNotice,
                           BtnCopy);
    }
}

} // namespace korv
