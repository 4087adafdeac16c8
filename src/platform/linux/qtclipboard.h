// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "clipboard.h"

class QClipboard;
class QMimeData;

namespace korv::platform {

/// The clipboard as Qt offers it: plain text (also as "text/plain;charset=utf-8", which browsers
/// ask for), RTF and HTML.
class QtClipboard final : public Clipboard {
public:
    QtClipboard();
    ~QtClipboard() override;
    QtClipboard(const QtClipboard&) = delete;
    QtClipboard& operator=(const QtClipboard&) = delete;

    /// False without an application to own the clipboard, or for an empty payload.
    bool put(const CopyPayload& payload) override;

private:
    void give(QClipboard* clipboard, QMimeData* data);

    bool m_ownsData = false;
    // What Qt serves, when it is ours to delete: it outlives the event loop, the last reader.
    std::unique_ptr<QMimeData> m_given;
};

} // namespace korv::platform
