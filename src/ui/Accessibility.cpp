#include "ui/Accessibility.h"

#include "ui/BracketView.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>

namespace kivp::ui {

namespace {

constexpr const char* kKeepRoleName = "kivpKeepsRoleName";

// The text interface of a control that shows one text: read only, with no caret and no selection.
class ShownText : public QAccessibleTextInterface {
public:
    QString text(int start, int end) const override { return shownText().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(shownText().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = offset;
        *end = offset;
        return {};
    }

private:
    virtual QString shownText() const = 0;
};

// A bracket slot: a label the user plays from.
class SlotAccessible : public QAccessibleWidget, public ShownText {
public:
    explicit SlotAccessible(SlotLabel* slot) : QAccessibleWidget(slot, QAccessible::Button) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
        case QAccessible::Name: {
            const QString team = shown();
            return widget()->accessibleName() + ": " + (team.isEmpty() ? QStringLiteral("no team") : team);
        }
        case QAccessible::Value:
            return shown();
        default:
            return QAccessibleWidget::text(kind);
        }
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (widget()->focusPolicy() != Qt::NoFocus)
            names.prepend(pressAction());
        return names;
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            emit static_cast<SlotLabel*>(widget())->activated();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QString shownText() const override { return shown(); }
    QString shown() const { return static_cast<const QLabel*>(widget())->text().trimmed(); }
};

// A drop-down whose name is its role and whose choice is its value and its text. Like Qt's own drop-down, its
// one child is the list of its items (the list of the closed pop-up), whose children are the items.
class RoleNamedComboBox : public QAccessibleWidget, public ShownText {
public:
    explicit RoleNamedComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {
        addControllingSignal(QStringLiteral("currentIndexChanged(int)"));
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return choice();
        return QAccessibleWidget::text(kind);
    }

    int childCount() const override { return items() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override { return index == 0 ? items() : nullptr; }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == box()->view() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction())
            box()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QString shownText() const override { return choice(); }
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
    QString choice() const { return box()->currentText(); }
    QAccessibleInterface* items() const {
        return box()->view() ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
    }
};

QAccessibleInterface* kivpInterfaces(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String(SlotLabel::staticMetaObject.className()))
        return new SlotAccessible(static_cast<SlotLabel*>(object));
    if (className == QLatin1String("QComboBox") && object->property(kKeepRoleName).toBool())
        return new RoleNamedComboBox(static_cast<QComboBox*>(object));
    return nullptr;
}

} // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(kivpInterfaces);
        return true;
    }();
    (void)installed;
}

void keepRoleName(QWidget* comboBox) {
    installAccessibility();
    comboBox->setProperty(kKeepRoleName, true);
}

} // namespace kivp::ui
