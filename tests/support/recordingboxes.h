// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include "messages.h"

namespace korv {

/// Message boxes that record their texts instead of waiting for the user.
class RecordingBoxes final : public MessageBoxes {
public:
    void showMessage(const QString& text) override { m_messages << text; }
    void showError(const QString& text) override { m_errors << text; }

    QStringList m_messages;
    QStringList m_errors;
};

} // namespace korv
