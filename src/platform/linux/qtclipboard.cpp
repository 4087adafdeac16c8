// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QMimeData>
#include <QString>
#include <QVersionNumber>

namespace korv::platform {
namespace {

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

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

// Qt's Wayland clipboard before 6.6 never deletes the data it is given, not even the data it
// has replaced; Qt's other clipboards, and it from 6.6 on, delete what they no longer serve.
bool qtLeavesClipboardData() {
    return onWayland() && QLibraryInfo::version() < QVersionNumber(6, 6);
}

} // namespace

QtClipboard::QtClipboard()
    : m_ownsData(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr &&
                 qtLeavesClipboardData()) {}

QtClipboard::~QtClipboard() = default;

void QtClipboard::give(QClipboard* clipboard, QMimeData* data) {
    clipboard->setMimeData(data);
    if (!m_ownsData) {
        return;
    }
    if (clipboard->mimeData() != data) {
        delete data; // refused (no seat yet): Qt still serves what it had
        return;
    }
    m_given.reset(data);
}

bool QtClipboard::put(const CopyPayload& payload) {
    QClipboard* clipboard = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
                                ? QGuiApplication::clipboard()
                                : nullptr;
    if (clipboard == nullptr || payload.plain.empty()) {
        return false;
    }
    const QString text = QString::fromStdU16String(payload.plain);
    const bool hasRich = !payload.rtf.empty() || !payload.html.empty();
    // The plain copy stands on its own: should the rich copy fail, this is what remains. Not on
    // Wayland, where both would offer the selection with the same input event's serial: mutter
    // refuses the second, and Qt withdraws the first as it hands the second over, which leaves
    // the clipboard empty.
    if (!hasRich || !onWayland()) {
        give(clipboard, plainData(text));
    }
    if (!hasRich) {
        return true;
    }
    QMimeData* rich = plainData(text);
    if (!payload.rtf.empty()) {
        rich->setData(QStringLiteral("text/rtf"), bytes(payload.rtf));
    }
    if (!payload.html.empty()) {
        rich->setData(QStringLiteral("text/html"), bytes(payload.html));
    }
    give(clipboard, rich);
    return true;
}

} // namespace korv::platform
