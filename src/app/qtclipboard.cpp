// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

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

class QtClipboard final : public platform::Clipboard {
public:
    bool put(const CopyPayload& payload) override {
        QClipboard* clipboard = QGuiApplication::clipboard();
        const QString plain = QString::fromStdU16String(payload.plain);
        // The plain copy stands on its own: should the rich copy fail, this is what remains.
        clipboard->setMimeData(plainData(plain));
        if (payload.rtf.empty()) {
            return true;
        }
        QMimeData* rich = plainData(plain);
        rich->setData(QStringLiteral("text/rtf"), bytes(payload.rtf));
        rich->setData(QStringLiteral("text/html"), bytes(payload.html));
        clipboard->setMimeData(rich);
        return true;
    }
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
