#include "support/StudioTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>

namespace quill::studiotest {

std::string FormWith(const std::string& children) {
    return R"({"class": "TForm", "name": "Form1", "properties": {"Width": 648, "Height": 514, "Color": "clWhite"},
  "children": [)" + children + "]}";
}

std::string Label(const std::string& name, int left, int top, int width, int height) {
    return R"({"class": "TQuillLabel", "name": ")" + name + R"(", "properties": {"Left": )" + std::to_string(left) +
           ", \"Top\": " + std::to_string(top) + ", \"Width\": " + std::to_string(width) +
           ", \"Height\": " + std::to_string(height) + R"(, "AutoSize": false, "Caption": ")" + name + "\"}}";
}

std::string Panel(const std::string& name, int left, int top, int width, int height, const std::string& children) {
    return R"({"class": "TPanel", "name": ")" + name + R"(", "properties": {"Left": )" + std::to_string(left) +
           ", \"Top\": " + std::to_string(top) + ", \"Width\": " + std::to_string(width) +
           ", \"Height\": " + std::to_string(height) + "}" +
           (children.empty() ? std::string() : ", \"children\": [" + children + "]") + "}";
}

void Drag(QWidget* widget, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) {
    QTest::mousePress(widget, Qt::LeftButton, modifiers, from);
    constexpr int kSteps = 4;
    for (int i = 1; i <= kSteps; ++i) QTest::mouseMove(widget, from + (to - from) * i / kSteps);
    QTest::mouseRelease(widget, Qt::LeftButton, modifiers, to);
}

void AnswerNextMessageBox(QMessageBox::StandardButton button, int* seen) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, button, seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        timer->stop();
        timer->deleteLater();
        if (seen) ++*seen;
        if (QAbstractButton* b = box->button(button))
            b->click();
        else
            box->reject();
    });
    timer->start();
}

TControl& ControlNamed(const TForm& form, const std::string& name) {
    TComponent* c = form.FindComponent(name);
    if (!c || !c->AsControl()) qFatal("no control named %s", name.c_str());
    return *c->AsControl();
}

}  // namespace quill::studiotest
