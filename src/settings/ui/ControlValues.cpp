#include "settings/ui/ControlValues.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

namespace {

constexpr char KeptChoice[] = "keptChoice";

QList<QRadioButton*> radios(const QWidget& group)
{
    return group.findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
}

void setChoice(QWidget& control, int index)
{
    if (auto* combo = qobject_cast<QComboBox*>(&control)) {
        const bool shown = index >= 0 && index < combo->count();
        combo->setCurrentIndex(shown ? index : -1);
        control.setProperty(KeptChoice, shown ? QVariant() : QVariant(index));
        return;
    }
    const QList<QRadioButton*> buttons = radios(control);
    const bool shown = index >= 0 && index < buttons.size();
    for (int i = 0; i < buttons.size(); ++i) {
        // Exclusive buttons cannot all be cleared one by one.
        buttons[i]->setAutoExclusive(false);
        buttons[i]->setChecked(i == index);
        buttons[i]->setAutoExclusive(true);
    }
    control.setProperty(KeptChoice, shown ? QVariant() : QVariant(index));
}

int choice(const QWidget& control)
{
    int index = -1;
    if (const auto* combo = qobject_cast<const QComboBox*>(&control)) {
        index = combo->currentIndex();
    } else {
        const QList<QRadioButton*> buttons = radios(control);
        for (int i = 0; i < buttons.size(); ++i) {
            if (buttons[i]->isChecked()) {
                index = i;
            }
        }
    }
    const QVariant kept = control.property(KeptChoice);
    return index < 0 && kept.isValid() ? kept.toInt() : index;
}

} // namespace

namespace ControlValues {

void set(QWidget& control, ConfigBinding::Kind kind, const QVariant& value)
{
    switch (kind) {
    case ConfigBinding::Kind::Check:
        if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
            button->setChecked(value.toBool());
        } else if (auto* group = qobject_cast<QGroupBox*>(&control)) {
            group->setChecked(value.toBool());
        }
        return;
    case ConfigBinding::Kind::Text:
        if (auto* edit = qobject_cast<QLineEdit*>(&control)) {
            edit->setText(value.toString());
        }
        return;
    case ConfigBinding::Kind::Number:
        if (auto* spin = qobject_cast<QSpinBox*>(&control)) {
            spin->setValue(value.toInt());
        }
        return;
    case ConfigBinding::Kind::Choice:
        setChoice(control, value.toInt());
        return;
    }
}

QVariant get(const QWidget& control, ConfigBinding::Kind kind)
{
    switch (kind) {
    case ConfigBinding::Kind::Check:
        if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
            return button->isChecked();
        }
        if (const auto* group = qobject_cast<const QGroupBox*>(&control)) {
            return group->isChecked();
        }
        return {};
    case ConfigBinding::Kind::Text:
        if (const auto* edit = qobject_cast<const QLineEdit*>(&control)) {
            return edit->text();
        }
        return {};
    case ConfigBinding::Kind::Number:
        if (const auto* spin = qobject_cast<const QSpinBox*>(&control)) {
            return spin->value();
        }
        return {};
    case ConfigBinding::Kind::Choice:
        return choice(control);
    }
    return {};
}

} // namespace ControlValues
