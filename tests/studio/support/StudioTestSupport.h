#pragma once

#include <QMessageBox>
#include <QPoint>
#include <QWidget>
#include <string>

#include "framework/Form.h"

namespace quill::studiotest {

// A design of a form with the given children (design JSON objects, joined
// with commas), 648 x 514 so that its client area is 640 x 480.
std::string FormWith(const std::string& children);
// A label's design object: AutoSize off, so its size stays as given.
std::string Label(const std::string& name, int left, int top, int width, int height);
std::string Panel(const std::string& name, int left, int top, int width, int height, const std::string& children = "");

// Presses the left button at `from`, moves in a few steps to `to` and
// releases there, as a hand would.
void Drag(QWidget* widget, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {});

// Clicks `button` on the next message box that opens (from a timer, as
// the box runs its own loop). `seen` counts the boxes answered.
void AnswerNextMessageBox(QMessageBox::StandardButton button, int* seen = nullptr);

// The control of that name in the form, or a test failure.
TControl& ControlNamed(const TForm& form, const std::string& name);

}  // namespace quill::studiotest
