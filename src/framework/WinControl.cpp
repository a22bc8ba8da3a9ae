#include "framework/WinControl.h"

#include <algorithm>

namespace quill {

namespace {

// Changes that travel down the tree (realigning, the parent's colour and
// font) run level by level from one queue instead of one nested call per
// level, so a tree of any depth costs heap, not stack. The first container
// to pass something down drains the queue; the others only join it.
class TDownwardPass {
public:
    using TStep = void (*)(TWinControl&);

    void Run(TWinControl& container, TStep step) {
        FPending.push_back({&container, step});
        if (FRunning) return;
        FRunning = true;
        struct TReset {
            TDownwardPass& Pass;
            ~TReset() {
                Pass.FPending.clear();
                Pass.FRunning = false;
            }
        } reset{*this};
        for (size_t i = 0; i < FPending.size(); ++i) {
            auto [target, run] = FPending[i];
            if (target) run(*target);
        }
    }

    // A container destroyed while its step waits must not be reached.
    void Forget(TWinControl* container) {
        for (auto& entry : FPending)
            if (entry.first == container) entry.first = nullptr;
    }

private:
    std::vector<std::pair<TWinControl*, TStep>> FPending;
    bool FRunning = false;
};

thread_local TDownwardPass gDownwardPass;

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    gDownwardPass.Forget(this);
    // Children are not ours: they only lose their parent.
    for (auto* list : {&FControls, &FWinControls})
        for (TControl* child : *list) child->FParent = nullptr;
    FControls.clear();
    FWinControls.clear();
}

TControl* TWinControl::Controls(int index) const {
    int plain = static_cast<int>(FControls.size());
    return index < plain ? FControls.at(index) : FWinControls.at(index - plain);
}

int TWinControl::ControlIndex(const TControl* control) const {
    const int plain = static_cast<int>(FControls.size());
    for (int i = 0; i < plain; ++i)
        if (FControls[static_cast<size_t>(i)] == control) return i;
    for (size_t i = 0; i < FWinControls.size(); ++i)
        if (FWinControls[i] == control) return plain + static_cast<int>(i);
    return -1;
}

void TWinControl::MoveControl(TControl* control, int index) {
    const bool windowed = control->AsWinControl() != nullptr;
    std::vector<TControl*>& list = windowed ? FWinControls : FControls;
    auto found = std::find(list.begin(), list.end(), control);
    if (found == list.end()) return;
    const int first = windowed ? static_cast<int>(FControls.size()) : 0;
    const auto from = found - list.begin();
    const auto to = std::clamp<std::ptrdiff_t>(index - first, 0, static_cast<std::ptrdiff_t>(list.size()) - 1);
    if (from < to)
        std::rotate(found, found + 1, list.begin() + to + 1);
    else if (to < from)
        std::rotate(list.begin() + to, found, found + 1);
    // Aligned children are stacked in child order.
    if (control->Align() != alNone) Realign();
}

void TWinControl::InsertControl(TControl* control) {
    bool windowed = control->AsWinControl() != nullptr;
    std::vector<TControl*>& list = windowed ? FWinControls : FControls;
    // One allocation for the few children most containers hold.
    if (list.empty()) list.reserve(4);
    list.push_back(control);
    control->FParent = this;
    control->ParentColorChanged();
    control->ParentFontChanged();
    ChildInsertedOrRemoved(control, true);
    if (control->Align() != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
    for (auto* list : {&FControls, &FWinControls})
        list->erase(std::remove(list->begin(), list->end(), control), list->end());
    control->FParent = nullptr;
    if (Destroying()) return;
    ChildInsertedOrRemoved(control, false);
    if (control->Align() != alNone) Realign();
}

void TWinControl::ChildInsertedOrRemoved(TControl*, bool) {}

void TWinControl::ChangeBounds(int left, int top, int width, int height) {
    bool resized = width != Width() || height != Height();
    TControl::ChangeBounds(left, top, width, height);
    if (resized) gDownwardPass.Run(*this, [](TWinControl& c) { c.Realign(); });
}

void TWinControl::ColorChangedNotification() {
    TControl::ColorChangedNotification();
    gDownwardPass.Run(*this, [](TWinControl& c) {
        for (int i = 0; i < c.ControlCount(); ++i) c.Controls(i)->ParentColorChanged();
    });
}

void TWinControl::FontChangedNotification() {
    TControl::FontChangedNotification();
    gDownwardPass.Run(*this, [](TWinControl& c) {
        for (int i = 0; i < c.ControlCount(); ++i) c.Controls(i)->ParentFontChanged();
    });
}

void TWinControl::EnableAlign() {
    if (FAlignLock > 0 && --FAlignLock == 0 && FAlignPending) Realign();
}

void TWinControl::Realign() {
    if (FAlignLock > 0) {
        FAlignPending = true;
        return;
    }
    if (FAligning > 0 || Destroying()) return;
    FAlignPending = false;
    // Most children are placed by hand: without an aligned one the passes
    // below would move nothing, so a container of many is walked once.
    bool anyAligned = false;
    for (int i = 0; i < ControlCount() && !anyAligned; ++i) anyAligned = Controls(i)->Align() != alNone;
    if (!anyAligned) return;
    ++FAligning;
    // The area shrinks by sizes a design or the code may set near the
    // 32-bit limits: keep it in 64 bits and clamp what is handed out.
    struct {
        int64_t Left, Top, Right, Bottom;
    } area{0, 0, ClientWidth(), ClientHeight()};
    auto place = [&](TAlign which) {
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (c->Align() != which || !c->Visible()) continue;
            int w = c->Width();
            int h = c->Height();
            int areaLeft = ClampToInt(area.Left), areaTop = ClampToInt(area.Top);
            int areaWidth = ClampToInt(area.Right - area.Left), areaHeight = ClampToInt(area.Bottom - area.Top);
            switch (which) {
            case alTop:
                c->ChangeBounds(areaLeft, areaTop, areaWidth, h);
                area.Top += c->Height();
                break;
            case alBottom:
                c->ChangeBounds(areaLeft, ClampToInt(area.Bottom - h), areaWidth, h);
                area.Bottom -= c->Height();
                break;
            case alLeft:
                c->ChangeBounds(areaLeft, areaTop, w, areaHeight);
                area.Left += c->Width();
                break;
            case alRight:
                c->ChangeBounds(ClampToInt(area.Right - w), areaTop, w, areaHeight);
                area.Right -= c->Width();
                break;
            case alClient:
                c->ChangeBounds(areaLeft, areaTop, std::max(0, areaWidth), std::max(0, areaHeight));
                break;
            case alNone:
                break;
            }
        }
    };
    for (TAlign which : {alTop, alBottom, alLeft, alRight, alClient}) place(which);
    --FAligning;
}

}  // namespace quill
