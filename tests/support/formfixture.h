// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fakeplatform.h"
#include "mainwindow.h"
#include "recordingboxes.h"
#include "symbolgrid.h"
#include "symboltable.h"

namespace korv {

/// The default options with one of them changed.
template <typename T> PaletteOptions optionsWith(T PaletteOptions::*option, T value) {
    PaletteOptions options;
    options.*option = value;
    return options;
}

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
        m_form = std::make_unique<MainWindow>(m_fake.platform(), m_boxes, folder(), m_phonemes);
        if (show) {
            m_form->show();
            ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
        }
    }

    // A symbol button of the chart: a cell of its panel's grid.
    struct Symbol {
        SymbolGrid* grid = nullptr;
        int cell = -1;
        QString toolTip() const { return grid->toolTip(cell); }
        QRect geometry() const { return grid->cells().at(cell).rect; }
        QAccessibleInterface* accessible() const {
            const QPoint centre = grid->mapToGlobal(geometry().center());
            return QAccessible::queryAccessibleInterface(grid)->childAt(centre.x(), centre.y());
        }
    };
    Symbol button(std::string_view name) const {
        for (const SymbolButtonEntry& entry : kSymbolButtons) {
            if (entry.name == name) {
                SymbolGrid* grid = entry.panel == ChartPanel::Standard ? m_form->standardChart
                                   : entry.panel == ChartPanel::Additional
                                       ? m_form->additionalChart
                                       : m_form->diacriticsChart;
                return {grid, grid->cellWithPayload(entry.tag)};
            }
        }
        ADD_FAILURE() << "no symbol button " << name;
        return {};
    }
    std::vector<Symbol> allButtons() const {
        std::vector<Symbol> all;
        for (SymbolGrid* grid :
             {m_form->standardChart, m_form->diacriticsChart, m_form->additionalChart}) {
            for (int cell = 0; cell < grid->cells().size(); ++cell) {
                all.push_back({grid, cell});
            }
        }
        return all;
    }
    void click(const char* name) const {
        const Symbol symbol = button(name);
        QTest::mouseClick(symbol.grid, Qt::LeftButton, {}, symbol.geometry().center());
    }
    void clickWidget(QWidget* widget) const { QTest::mouseClick(widget, Qt::LeftButton); }

    QTemporaryDir m_dir;
    platform::FakePlatform m_fake;
    RecordingBoxes m_boxes;
    PhonemeEngineFactory m_phonemes; // none: spelling to IPA is absent
    std::unique_ptr<MainWindow> m_form;
};

} // namespace korv
