// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "fakeplatform.h"
#include "korvform.h"
#include "recordingboxes.h"
#include "symbolbutton.h"

namespace korv {

/// A main window on the fake platform, living in a fresh program folder of its own.
class FormFixture : public ::testing::Test {
protected:
    std::string folder() const { return m_dir.path().toStdString() + "/"; }

    void writeFile(std::string_view name, std::string_view text) const {
        std::ofstream(folder() + std::string(name), std::ios::binary) << text;
    }
    std::string readFile(std::string_view name) const {
        std::ifstream in(folder() + std::string(name), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Creates the window; shown, it waits until the window is active.
    void createForm(bool show = true) {
        m_form = std::make_unique<TKorvForm>(m_fake.platform(), m_boxes, folder());
        if (show) {
            m_form->show();
            ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
        }
    }

    SymbolButton* button(const char* name) const {
        auto* found = m_form->findChild<SymbolButton*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    void clickWidget(QWidget* widget) const { QTest::mouseClick(widget, Qt::LeftButton); }

    QTemporaryDir m_dir;
    platform::FakePlatform m_fake;
    RecordingBoxes m_boxes;
    std::unique_ptr<TKorvForm> m_form;
};

} // namespace korv
