// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTabBar>

#include <memory>

namespace korv {

/// The chart's tab strip: plain tabs as a classic Windows tab set draws them, each its text's
/// width and 6 pixels either side, 15 pixels high, whatever the application's style. Drawn by a
/// style of its own, as a style sheet would, without a style sheet's cost at start.
class ChartTabs final : public QTabBar {
public:
    explicit ChartTabs(QWidget* parent = nullptr);
    ~ChartTabs() override;
    ChartTabs(const ChartTabs&) = delete;
    ChartTabs& operator=(const ChartTabs&) = delete;

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<QStyle> m_look;
};

} // namespace korv
