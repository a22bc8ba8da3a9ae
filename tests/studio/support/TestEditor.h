#pragma once

#include <QString>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "studio/DesignEditor.h"

namespace quill::studio::test {

// A small real editor for the panes' tests: owns a form read from a
// design, sets properties as the reader would and keeps a selection.
// It keeps no undo history; the Studio's document does that.
class TTestEditor : public TDesignEditor {
    Q_OBJECT

public:
    explicit TTestEditor(const std::string& design, std::string fileName = "");
    ~TTestEditor() override;

    TForm& Form() override { return *FForm; }
    std::string FileName() const override { return FFileName; }
    void SetProperty(TPersistent& object, const TPropInfo& prop, const nlohmann::json& value) override;
    const std::vector<TComponent*>& Selection() const override { return FSelection; }
    void Select(const std::vector<TComponent*>& components) override;

    // The component of that name, or the form; fails the test when none.
    TComponent& Component(const std::string& name) const;
    // Announces a change made to the form directly, as the canvas does.
    void Touch() { emit Changed(); }
    // Reads another design in place of the form. The old form is gone
    // before FormReplaced, so a pane still pointing into it shows up.
    void Replace(const std::string& design);
    // Successful SetProperty calls so far.
    int Changes() const { return FChanges; }

private:
    std::unique_ptr<TForm> FForm;
    std::string FFileName;
    std::vector<TComponent*> FSelection;
    int FChanges = 0;
};

// Registers every class a design may name; safe to call more than once.
void RegisterClasses();

// A file of the source tree, read whole.
std::string ReadSource(const std::string& relativePath);

}  // namespace quill::studio::test

// QCOMPARE cannot take design values: they convert to too many types.
#define COMPARE_JSON(actual, expected)                                                                      \
    do {                                                                                                    \
        const nlohmann::json actualValue = (actual), expectedValue = (expected);                            \
        QVERIFY2(actualValue == expectedValue, qPrintable(QString("%1 is %2, expected %3")                  \
                                                              .arg(#actual)                                 \
                                                              .arg(QString::fromStdString(actualValue.dump()))\
                                                              .arg(QString::fromStdString(expectedValue.dump())))); \
    } while (false)
