// SPDX-License-Identifier: GPL-3.0-or-later
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

#include "copypayload.h"
#include "qtclipboard.h"

namespace korv::platform {
namespace {

// The formats on the clipboard each time it changed, so that what stood there first shows.
class ClipboardWatch {
public:
    ClipboardWatch() {
        QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &m_context,
                         [this] { m_seen.push_back(formats()); });
    }
    static QStringList formats() {
        QStringList found = QGuiApplication::clipboard()->mimeData()->formats();
        found.sort();
        return found;
    }
    std::vector<QStringList> m_seen;

private:
    QObject m_context;
};

TEST(QtClipboardTest, ThePlainCopyGoesFirstAndTheRichOneWithIt) {
    const QStringList plain = {QStringLiteral("text/plain"),
                               QStringLiteral("text/plain;charset=utf-8")};
    const QStringList rich = {QStringLiteral("text/html"), QStringLiteral("text/plain"),
                              QStringLiteral("text/plain;charset=utf-8"),
                              QStringLiteral("text/rtf")};
    CopyPayload full{u"\u0283\u0259", "{\\rtf1 x}", "<span>x</span>", "Sans", 12};
    CopyPayload plainOnly{u"\u0283\u0259", "", "", "", 0};
    const struct {
        const char* what;
        CopyPayload payload;
        std::vector<QStringList> seen;
    } cases[] = {{"plain and rich", full, {plain, rich}}, {"plain only", plainOnly, {plain}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QtClipboard clipboard;
        ClipboardWatch watch;
        ASSERT_TRUE(clipboard.put(c.payload));
        EXPECT_EQ(watch.m_seen, c.seen);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        EXPECT_EQ(data->text(), QStringLiteral("\u0283\u0259"));
        EXPECT_EQ(data->data(QStringLiteral("text/plain;charset=utf-8")),
                  QStringLiteral("\u0283\u0259").toUtf8());
        if (!c.payload.rtf.empty()) {
            EXPECT_EQ(data->data(QStringLiteral("text/rtf")), QByteArray("{\\rtf1 x}"));
            EXPECT_EQ(data->data(QStringLiteral("text/html")), QByteArray("<span>x</span>"));
        }
    }
}

TEST(QtClipboardTest, AnEmptyCopyLeavesTheClipboardAlone) {
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QtClipboard clipboard;
    EXPECT_FALSE(clipboard.put(CopyPayload{}));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
}

} // namespace
} // namespace korv::platform
