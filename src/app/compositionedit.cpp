#include "compositionedit.h"

#include <QFocusEvent>

namespace korv {

CompositionEdit::CompositionEdit(QWidget* parent)
    : QLineEdit(parent) {}

int CompositionEdit::selStart() const {
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

int CompositionEdit::selLength() const {
    return hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
}

void CompositionEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        selectAll();
        break;
    default:
        break;
    }
}

} // namespace korv
