#pragma once

#include <QLineEdit>

namespace korv {

/// The one-line composition edit: like the edits users know, it selects its whole text when
/// the focus arrives from another control (Tab, or a program operation), not on a mouse click
/// and not when the window itself is reactivated.
class CompositionEdit final : public QLineEdit {
public:
    explicit CompositionEdit(QWidget* parent);

    // The caret as the editing operations count it: the start of the selection.
    int selStart() const;
    int selLength() const;

protected:
    void focusInEvent(QFocusEvent* event) override;
};

} // namespace korv
