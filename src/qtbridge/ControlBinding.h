#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "framework/Control.h"

namespace quill::qtbridge {

// Keeps one Qt widget in step with one framework control: bounds,
// visibility and font always, anything else through the refresh step.
// It is a child of the widget, so it goes when the widget goes; when the
// control goes first it forgets the control and removes the widget.
class TControlBinding : public QObject, public TControlView {
public:
    using TRefresh = std::function<void(TControl&)>;

    TControlBinding(TControl& control, QWidget& widget, TRefresh refresh = {});
    ~TControlBinding() override;

    // Null once the control is destroyed.
    TControl* Control() const { return FControl; }

    void ControlChanged(TControl& control, TControlChange change) override;

private:
    void ShowAll();

    TControl* FControl;
    QPointer<QWidget> FWidget;
    TRefresh FRefresh;
};

}  // namespace quill::qtbridge
