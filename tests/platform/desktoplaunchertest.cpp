// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "desktoplauncher.h"

namespace korv::platform {
namespace {

TEST(DesktopLauncher, OnlyWebAddressesAreOpened) {
    const struct {
        const char* address;
        const char* opened; // nullptr: not opened at all
    } cases[] = {
        {"https://korvani.example.org/ipa", "https://korvani.example.org/ipa"},
        {"HTTP://korvani.example.org", "http://korvani.example.org"},
        {"korvani.example.org", "http://korvani.example.org"},
        {"https://korvani.example.org/a b\"c;d", "https://korvani.example.org/a%20b%22c;d"},
        {"", nullptr},
        {"/usr/bin/xterm", nullptr},
        {"file:///etc/passwd", nullptr},
        {"javascript:alert(1)", nullptr},
        {"mailto:someone@example.org", nullptr},
        {"https://", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        const QUrl url = webAddress(c.address);
        if (c.opened == nullptr) {
            EXPECT_TRUE(url.isEmpty()) << url.toString().toStdString();
        } else {
            EXPECT_EQ(url.toEncoded().toStdString(), c.opened);
        }
    }
}

// A program that notes how many arguments it was given, in a file beside itself.
QString writeProbe(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\necho \"$#\" > \"$(dirname \"$0\")/ran\"\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return QFileInfo(path).dir().filePath(QStringLiteral("ran"));
}

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

TEST(DesktopLauncher, StartsTheGivenFileItselfWithNoArguments) {
    QTemporaryDir dir;
    // A name a shell would split and act on: started directly, it is just a name.
    const QString folder = dir.filePath(QStringLiteral("Program Files; touch pwned"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString ran = writeProbe(folder + QStringLiteral("/korvanifi"));
    DesktopLauncher().startProgram((folder + QStringLiteral("/korvanifi")).toStdString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(ran); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return readAll(ran) == QStringLiteral("0"); }, 2000));
    EXPECT_FALSE(QFile::exists(QStringLiteral("pwned")));
}

TEST(DesktopLauncher, ABareNameIsNotLookedUpAlongThePath) {
    QTemporaryDir dir;
    const QString ran = writeProbe(dir.filePath(QStringLiteral("korvanifi")));
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (dir.path().toStdString() + ":" + path).c_str(), 1);
    DesktopLauncher().startProgram("korvanifi");
    QTest::qWait(500);
    setenv("PATH", path.c_str(), 1);
    EXPECT_FALSE(QFile::exists(ran));
}

} // namespace
} // namespace korv::platform
