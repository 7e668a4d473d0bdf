#pragma once

#include "settings/ConfigBindings.h"

#include <QVariant>

class QWidget;

// A control's value as the binding table sees it: a check box's state, a line edit's text, a spin box's number,
// and a combo box's index or the index of the checked radio button in a group box. A choice the control cannot
// show (an index beyond its items) is kept and given back unchanged, so that opening and closing the dialog
// never changes such a value.
namespace ControlValues {

void set(QWidget& control, ConfigBinding::Kind kind, const QVariant& value);
QVariant get(const QWidget& control, ConfigBinding::Kind kind);

} // namespace ControlValues
