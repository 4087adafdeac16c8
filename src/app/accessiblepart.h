// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QPointer>
#include <QRect>
#include <QStringList>

namespace korv {

/// A part of a widget that has no widget of its own (a painted cell, a tab) as a screen reader
/// sees it: childless, its parent the widget's interface, never focused, pressed by an action.
template <typename Owner>
class AccessiblePart : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessiblePart(Owner* owner, int index)
        : m_owner(owner)
        , m_index(index) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_owner.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect part = partRect();
        return {m_owner->mapToGlobal(part.topLeft()), part.size()};
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state = parent()->state();
        state.focusable = false;
        state.focused = false;
        addPartState(state);
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (isValid() && name == pressAction()) {
            press();
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    Owner* owner() const { return m_owner.data(); }
    int index() const { return m_index; }

protected:
    // The part in the owner's coordinates.
    virtual QRect partRect() const = 0;
    // What the part adds to the owner's state.
    virtual void addPartState(QAccessible::State& state) const = 0;
    virtual void press() = 0;

private:
    QPointer<Owner> m_owner;
    int m_index;
};

} // namespace korv
