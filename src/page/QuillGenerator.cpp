#include "page/QuillGenerator.h"

#include <algorithm>

#include "controls/QuillCustomControl.h"
#include "framework/CachedCast.h"
#include "layout/HtmlGenerator.h"
#include "framework/ClassBuilder.h"
#include "framework/Exception.h"
#include "page/QuillHeader.h"
#include "framework/WinControl.h"
#include "platform/AtomicFile.h"
#include "platform/Shell.h"

namespace quill {

namespace {

// The class checks of a run, kept for the thread: a server makes a new
// form for every request, but of the same classes.
thread_local TCachedCast<TWinControl> tRootCast;
thread_local TCachedCast<TQuillComponent> tComponentCast;
thread_local TCachedCast<TQuillCustomControl> tControlCast;

// The most cells of a table kept from one page to the next: a few
// megabytes at most.
constexpr size_t kKeptTableCells = size_t{1} << 16;

// One table generator is kept for each thread and lent to every page made
// on it, so its table, tags and buffers are made once: a server makes a new
// form, and so a new page generator, for every request. The flag outlives
// the slot, which may go before the form of a static.
thread_local bool tSpareGone = false;
struct TSpareTable {
    std::unique_ptr<THtmlTableGenerator> Generator;
    ~TSpareTable() { tSpareGone = true; }
};
thread_local TSpareTable tSpare;

// The spare for one page, or a new generator while it is lent out (to a
// page made inside another's); given back when the page is done.
class TTableLoan {
public:
    TTableLoan()
        : FGenerator(tSpareGone || !tSpare.Generator ? std::make_unique<THtmlTableGenerator>()
                                                      : std::move(tSpare.Generator)) {}
    ~TTableLoan() {
        // A big page's table is not kept.
        if (!tSpareGone && !tSpare.Generator && FGenerator->Table().CellCount() <= kKeptTableCells)
            tSpare.Generator = std::move(FGenerator);
    }
    TTableLoan(const TTableLoan&) = delete;
    TTableLoan& operator=(const TTableLoan&) = delete;
    THtmlTableGenerator& operator*() const { return *FGenerator; }

private:
    std::unique_ptr<THtmlTableGenerator> FGenerator;
};

}  // namespace

TStrings* TQuillGenerator::Generate() {
    if (OnBeforeGenerate) OnBeforeGenerate(this);
    return nullptr;
}

TQuillHtmlGenerator::TQuillHtmlGenerator(TComponent* owner)
    : TQuillGenerator(owner), FLines(std::make_unique<TStringList>()) {}

TQuillHtmlGenerator::~TQuillHtmlGenerator() { FLines.reset(); }

void TQuillHtmlGenerator::SetContainer(TWinControl* value) { SetComponentReference(FContainer, *this, value); }

TComponent* TQuillHtmlGenerator::PageRoot() const {
    return FContainer ? static_cast<TComponent*>(FContainer) : Owner();
}

TWinControl& TQuillHtmlGenerator::PageRootControl() const {
    auto* root = tRootCast(PageRoot());
    if (!root) throw Exception(Name() + ": the page root must be a container control (set Container or place the generator on a form)");
    return *root;
}

std::vector<TQuillComponent*> TQuillHtmlGenerator::CollectPageComponents() const {
    std::vector<TQuillComponent*> list;
    CollectPageComponents(list);
    return list;
}

void TQuillHtmlGenerator::CollectPageComponents(std::vector<TQuillComponent*>& list) const {
    if (!Owner()) return;
    for (int i = 0; i < Owner()->ComponentCount(); ++i)
        if (auto* c = tComponentCast(Owner()->Components(i))) list.push_back(c);
}

std::vector<TControl*> TQuillHtmlGenerator::CollectControls() {
    // Depth first with a stack of its own: a deep tree costs heap, not call depth.
    std::vector<TControl*> list;
    struct TLevel {
        const TWinControl* Parent;
        int Next;
    };
    std::vector<TLevel> open{{&PageRootControl(), 0}};
    while (!open.empty()) {
        TLevel& level = open.back();
        if (level.Next == level.Parent->ControlCount()) {
            open.pop_back();
            continue;
        }
        TControl* child = level.Parent->Controls(level.Next++);
        list.push_back(child);
        if (auto* container = dynamic_cast<TWinControl*>(child)) open.push_back({container, 0});
    }
    return list;
}

TStrings* TQuillHtmlGenerator::Generate() {
    try {
        TQuillGenerator::Generate();
    } catch (const Exception& e) {
        FErrorText += e.Message() + " - ";
    }
    // Whatever the handler changed is what this run renders. The run's
    // lists are released on every way out.
    struct TRunGuard {
        TQuillHtmlGenerator& Generator;
        ~TRunGuard() {
            Generator.FPageComponents.clear();
            Generator.FCells.clear();
        }
    } guard{*this};
    CollectCellControls(PageRootControl(), FCells, tControlCast);
    CollectPageComponents(FPageComponents);
    FLines->BeginUpdate();
    try {
        FLines->Clear();
        WriteOpening();
        WriteBody();
        WriteClosing();
    } catch (...) {
        // The pass's error is the one to report; a change handler that
        // fails as well must not hide it.
        try {
            FLines->EndUpdate();
        } catch (...) {
        }
        throw;
    }
    // Outside any destructor: the change handler may raise here, and its
    // error leaves the run like any other.
    FLines->EndUpdate();
    return FLines.get();
}

void TQuillHtmlGenerator::SortPageComponents() {
    std::sort(FPageComponents.begin(), FPageComponents.end(),
              [](const TQuillComponent* a, const TQuillComponent* b) { return a->Priority() < b->Priority(); });
}

void TQuillHtmlGenerator::WriteOpening() {
    SortPageComponents();
    for (TQuillComponent* c : FPageComponents) {
        c->SetGenerator(this);
        c->WriteHtml(psOpening, *FLines);
    }
}

void TQuillHtmlGenerator::WriteBody() {
    const TTableLoan loan;
    THtmlTableGenerator& table = *loan;
    table.SetCenterPage(FCenterPage);
    table.BuildTable(FCells, PageRootControl().Width(), 0);
    table.Generate(*FLines);
}

void TQuillHtmlGenerator::WriteClosing() {
    SortPageComponents();
    for (auto it = FPageComponents.rbegin(); it != FPageComponents.rend(); ++it) (*it)->WriteHtml(psClosing, *FLines);
}

bool TQuillHtmlGenerator::GenerateToFile(const std::string& fileName) {
    FLastSaveError.clear();
    try {
        TStrings* lines = Generate();
        if (!lines) throw Exception(Name() + ": the run gave no page");
        lines->SaveToFile(fileName);
        return true;
    } catch (const std::exception& e) {
        FLastSaveError = e.what();
    } catch (...) {
        FLastSaveError = "unknown error";
    }
    return false;
}

platform::TOpenResult TQuillHtmlGenerator::OpenFile(const std::string& fileName) {
    try {
        return platform::ShellOpen(fileName);
    } catch (const std::exception& e) {
        return {false, e.what()};
    } catch (...) {
        return {false, "unknown error"};
    }
}

void TQuillHtmlGenerator::RemovalNotice(TComponent* component, TOperation operation) {
    TQuillGenerator::RemovalNotice(component, operation);
    if (operation == opRemove && component == FContainer) SetContainer(nullptr);
}

TQuillHtmlGenerator* FirstHtmlGenerator(const TComponent& owner) {
    for (int i = 0; i < owner.ComponentCount(); ++i)
        if (auto* g = dynamic_cast<TQuillHtmlGenerator*>(owner.Components(i))) return g;
    return nullptr;
}

const TClassInfo& TQuillHtmlGenerator::StaticInfo() {
    using C = TQuillHtmlGenerator;
    static const TClassInfo info =
        TClassBuilder<C>("TQuillHtmlGenerator", &TComponent::StaticInfo())
            .Creatable()
            .DesignPosition()
            .Bool("CenterPage", &C::CenterPage, &C::SetCenterPage)
            .Reference<TWinControl>("Container", "TWinControl", &C::Container, &C::SetContainer)
            .Event<TNotifyEvent>("OnBeforeGenerate", "TNotifyEvent",
                                 [](const C& g) -> const TNotifyEvent& { return g.OnBeforeGenerate; },
                                 [](C& g, const TNotifyEvent& e) { g.OnBeforeGenerate = e; })
            .Build();
    return info;
}

}  // namespace quill
