#pragma once

#include <QWidget>

#include "framework/Control.h"

namespace quill::qtbridge {

// Creates the widget that shows `control` inside `parent`, bound to it,
// and, for a container, the widgets of all its children in child order.
// Qt's signals reach the control as its own events (text change, click).
QWidget* CreateControlWidgets(TControl& control, QWidget& parent);

}  // namespace quill::qtbridge
