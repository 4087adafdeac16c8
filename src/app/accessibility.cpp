// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QHash>
#include <QTabBar>

#include <utility>

#include "accessiblepart.h"

namespace korv {
namespace {

// The cache hands out the first interface it holds for an object, and Qt may have made one while
// the widget was being built (when a screen reader was already listening): that one goes.
void install(QAccessibleInterface* iface) {
    if (QAccessibleInterface* existing = QAccessible::queryAccessibleInterface(iface->object())) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
    }
    QAccessible::registerAccessibleInterface(iface);
}

class PanelAccessible final : public QAccessibleWidget {
public:
    PanelAccessible(QWidget* panel, std::function<bool(const QWidget*)> unseen)
        : QAccessibleWidget(panel)
        , m_unseen(std::move(unseen)) {}

    int childCount() const override { return static_cast<int>(children().size()); }
    QAccessibleInterface* child(int index) const override {
        return QAccessible::queryAccessibleInterface(children().value(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? static_cast<int>(children().indexOf(child->object())) : -1;
    }

private:
    QObjectList children() const {
        QObjectList shown;
        for (QObject* object : widget()->children()) {
            const auto* child = qobject_cast<QWidget*>(object);
            if (child != nullptr && !child->isWindow() && !m_unseen(child)) {
                shown.append(object);
            }
        }
        return shown;
    }

    std::function<bool(const QWidget*)> m_unseen;
};

class TabAccessible final : public AccessiblePart<QTabBar> {
public:
    using AccessiblePart::AccessiblePart;

    bool isValid() const override { return owner() != nullptr && index() < owner()->count(); }
    QString text(QAccessible::Text t) const override {
        return isValid() && t == QAccessible::Name ? owner()->tabText(index()) : QString();
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }

protected:
    QRect partRect() const override { return owner()->tabRect(index()); }
    void addPartState(QAccessible::State& state) const override {
        state.selectable = true;
        state.selected = owner()->currentIndex() == index();
    }
    // A press picks the tab, as a click does.
    void press() override { owner()->setCurrentIndex(index()); }
};

class TabsAccessible final : public QAccessibleWidget {
public:
    explicit TabsAccessible(QTabBar* tabs)
        : QAccessibleWidget(tabs, QAccessible::PageTabList) {}
    ~TabsAccessible() override {
        for (const QAccessible::Id id : std::as_const(m_tabs)) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }
    TabsAccessible(const TabsAccessible&) = delete;
    TabsAccessible& operator=(const TabsAccessible&) = delete;

    int childCount() const override { return tabs()->count(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= tabs()->count()) {
            return nullptr;
        }
        if (const QAccessible::Id id = m_tabs.value(index)) {
            return QAccessible::accessibleInterface(id);
        }
        auto* tab = new TabAccessible(tabs(), index);
        m_tabs.insert(index, QAccessible::registerAccessibleInterface(tab));
        return tab;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr || child->role() != QAccessible::PageTab || child->parent() != this) {
            return -1;
        }
        return static_cast<const TabAccessible*>(child)->index();
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? tabs()->tabText(tabs()->currentIndex())
                                      : QAccessibleWidget::text(t);
    }

private:
    QTabBar* tabs() const { return static_cast<QTabBar*>(widget()); }

    mutable QHash<int, QAccessible::Id> m_tabs;
};

class DropDownAccessible final : public QAccessibleWidget {
public:
    explicit DropDownAccessible(QComboBox* list)
        : QAccessibleWidget(list, QAccessible::ComboBox) {}

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == list()->view() ? 0 : -1;
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? list()->currentText() : QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& name) override {
        if (name != showMenuAction() && name != pressAction()) {
            return;
        }
        if (list()->view()->isVisible()) {
            list()->hidePopup();
        } else {
            list()->showPopup();
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
};

} // namespace

void leaveOutOfAccessibleTree(QWidget* panel, std::function<bool(const QWidget*)> unseen) {
    install(new PanelAccessible(panel, std::move(unseen)));
}

void exposeTabsOnly(QTabBar* tabs) {
    install(new TabsAccessible(tabs));
}

void nameDropDownList(QComboBox* list) {
    install(new DropDownAccessible(list));
}

} // namespace korv
