#pragma once

#include <QMainWindow>

#include "framework/Form.h"

namespace quill::qtbridge {

class TPaintedWidget;

// A top-level window showing a form: the form's caption as its title, its
// client area with one widget per control, and its status text below.
// Resizing the window resizes the form, whose aligned controls follow.
// The window does not own the form; it must not outlive it.
class TFormWindow : public QMainWindow, private TControlView {
public:
    explicit TFormWindow(TForm& form);
    ~TFormWindow() override;

    // The widget showing the form's control of that name, or null.
    QWidget* WidgetOf(const std::string& controlName) const;

private:
    void ControlChanged(TControl& control, TControlChange change) override;
    void ClientResized(const QSize& size);

    TForm* FForm;
    TPaintedWidget* FClient;
};

}  // namespace quill::qtbridge
