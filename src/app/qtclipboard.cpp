// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QMimeData>
#include <QVersionNumber>

#include <memory>

#include "keysequence.h"

namespace korv {
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

// Qt's Wayland clipboard before 6.6 never deletes the data it is given, not even the data it
// has replaced; Qt's other clipboards, and it from 6.6 on, delete what they no longer serve.
bool qtLeavesClipboardData() {
    return QGuiApplication::platformName() == QStringLiteral("wayland") &&
           QLibraryInfo::version() < QVersionNumber(6, 6);
}

class QtClipboard final : public platform::Clipboard {
public:
    QtClipboard()
        : m_ownsData(qtLeavesClipboardData()) {}

    bool put(const CopyPayload& payload) override {
        const QString plain = QString::fromStdU16String(payload.plain);
        // The plain copy stands on its own: should the rich copy fail, this is what remains.
        give(plainData(plain));
        if (payload.rtf.empty()) {
            return true;
        }
        QMimeData* rich = plainData(plain);
        rich->setData(QStringLiteral("text/rtf"), bytes(payload.rtf));
        rich->setData(QStringLiteral("text/html"), bytes(payload.html));
        give(rich);
        return true;
    }

private:
    void give(QMimeData* data) {
        QClipboard* clipboard = QGuiApplication::clipboard();
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

    const bool m_ownsData;
    // What Qt serves, when it is ours to delete: it outlives the event loop, the last reader.
    std::unique_ptr<QMimeData> m_given;
};

class KeyPasteTarget final : public platform::PasteTarget {
public:
    explicit KeyPasteTarget(platform::KeyInjector& keys)
        : m_keys(keys) {}
    bool pasteIntoPreviousWindow(std::uintptr_t own) override {
        const auto events = buildAutoPasteKeys([this](char ch) { return m_keys.vkKeyScanA(ch); });
        return m_keys.sendAutoPaste(events, own);
    }

private:
    platform::KeyInjector& m_keys;
};

} // namespace

std::unique_ptr<platform::Clipboard> makeQtClipboard() {
    return std::make_unique<QtClipboard>();
}

std::unique_ptr<platform::PasteTarget> makeKeyPasteTarget(platform::KeyInjector& keys) {
    return std::make_unique<KeyPasteTarget>(keys);
}

} // namespace korv
