#pragma once

#include <memory>
#include <string>
#include <vector>

#include "layout/CellTable.h"
#include "framework/Component.h"
#include "framework/Event.h"
#include "framework/Strings.h"
#include "platform/Shell.h"

namespace quill {

class TControl;
class TWinControl;
class TQuillComponent;
class TQuillCustomControl;

// The abstract page generator: fires OnBeforeGenerate and leaves the run
// to its descendants.
class TQuillGenerator : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TQuillGenerator"; }
    // Its Container is watched; the other components are none of its business.
    bool HearsSiblings() const override { return false; }

    TNotifyEvent OnBeforeGenerate;

    // Every control below the page root, depth first; the caller keeps the list.
    virtual std::vector<TControl*> CollectControls() = 0;
    // One generation run. The base fires OnBeforeGenerate and returns none.
    virtual TStrings* Generate();
};

// Generates a whole page: the page components' opening lines, the body
// table of the visible page controls of the page root, the closing lines.
class TQuillHtmlGenerator : public TQuillGenerator {
public:
    explicit TQuillHtmlGenerator(TComponent* owner);
    ~TQuillHtmlGenerator() override;

    std::string ClassName() const override { return "TQuillHtmlGenerator"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    bool CenterPage() const { return FCenterPage; }
    void SetCenterPage(bool value) { FCenterPage = value; }
    // The container whose controls form the body; none means the owner.
    TWinControl* Container() const { return FContainer; }
    void SetContainer(TWinControl* value);

    // The page of the last run; every run clears and refills this list.
    TStrings& Lines() { return *FLines; }
    const std::string& PageTitle() const { return FPageTitle; }
    void SetPageTitle(const std::string& value) { FPageTitle = value; }
    // Messages of OnBeforeGenerate failures, each followed by " - ".
    const std::string& ErrorText() const { return FErrorText; }

    // The Container when set, otherwise the owner; evaluated at each use.
    TComponent* PageRoot() const;
    // The page root as the windowed control it must be; raises Exception
    // when it is not one.
    TWinControl& PageRootControl() const;
    std::vector<TQuillComponent*> CollectPageComponents() const;

    std::vector<TControl*> CollectControls() override;
    TStrings* Generate() override;
    // Generates and saves the page with CR LF after every line. Never
    // raises; answers whether the page was written, and LastSaveError
    // tells why not. A regular file is replaced in one step, so a failure
    // leaves an existing page as it was.
    virtual bool GenerateToFile(const std::string& fileName);
    // Why the last GenerateToFile failed, naming the file and the system's
    // reason; empty after a save that worked.
    const std::string& LastSaveError() const { return FLastSaveError; }
    // Asks the desktop to open the file and tells whether its opener took
    // it, and why not; never raises.
    platform::TOpenResult OpenFile(const std::string& fileName);

    void RemovalNotice(TComponent* component, TOperation operation) override;

protected:
    virtual void WriteOpening();
    virtual void WriteBody();
    virtual void WriteClosing();

private:
    void SortPageComponents();
    void CollectPageComponents(std::vector<TQuillComponent*>& list) const;

    std::unique_ptr<TStringList> FLines;
    bool FCenterPage = false;
    TWinControl* FContainer = nullptr;
    std::string FPageTitle;
    std::string FErrorText;
    std::string FLastSaveError;
    // Hold entries only while a run is in progress; their storage stays.
    TCellControlList FCells;
    std::vector<TQuillComponent*> FPageComponents;
};

// The first page generator `owner` owns, or null: the one whose page a
// design stands for.
TQuillHtmlGenerator* FirstHtmlGenerator(const TComponent& owner);

}  // namespace quill
