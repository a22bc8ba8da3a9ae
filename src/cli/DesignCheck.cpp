#include "cli/DesignCheck.h"

#include <algorithm>
#include <map>
#include <queue>
#include <set>

#include "controls/QuillCustomControl.h"
#include "controls/QuillLabel.h"
#include "framework/Color.h"
#include "framework/TextHelpers.h"
#include "framework/TypeInfo.h"
#include "page/QuillGenerator.h"
#include "page/QuillHeader.h"

namespace quill {

namespace {

using json = nlohmann::json;

// Browsers show HTML size 1 at 10 px, larger than the on-screen font.
constexpr int kBrowserSize1Pixels = 10;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string PathOf(const TComponent& component, const TForm& form) {
    if (&component == &form) return form.Name();
    std::string path = component.Name();
    if (auto* control = dynamic_cast<const TControl*>(&component))
        for (const TWinControl* p = control->Parent(); p && p != &form; p = p->Parent()) path = p->Name() + "." + path;
    return form.Name() + "." + path;
}

std::string Rect(const TRect& r) {
    return "(" + std::to_string(r.Left) + ", " + std::to_string(r.Top) + ")-(" + std::to_string(r.Right) + ", " +
           std::to_string(r.Bottom) + ")";
}

// The designed objects by name (letter case ignored, as names are).
void IndexDesign(const json& object, std::map<std::string, const json*>& index) {
    if (!object.is_object()) return;
    if (auto name = object.find("name"); name != object.end() && name->is_string())
        index[LowerCase(name->get<std::string>())] = &object;
    if (auto children = object.find("children"); children != object.end() && children->is_array())
        for (const json& child : *children) IndexDesign(child, index);
}

const json* DesignedValue(const json* object, std::initializer_list<const char*> path) {
    if (!object) return nullptr;
    const json* value = object->contains("properties") ? &(*object)["properties"] : nullptr;
    for (const char* key : path) {
        if (!value || !value->is_object() || !value->contains(key)) return nullptr;
        value = &(*value)[key];
    }
    return value;
}

// A colour as the reader takes it; the design was read, so it is valid.
TColor DesignedColor(const json& value) {
    if (value.is_string()) return ColorFromName(value.get<std::string>()).value_or(0);
    return static_cast<TColor>(static_cast<uint32_t>(value.get<int64_t>()));
}

class TChecker {
public:
    TChecker(const TForm& form, const json& design) : FForm(form) { IndexDesign(design, FDesign); }

    std::vector<TDesignFinding> Run() {
        const TQuillHtmlGenerator* generator = Generator();
        if (!generator)
            Warn(FForm, "no TQuillHtmlGenerator, so the form has no page");
        if (!HasHeader())
            Warn(FForm, "no TQuillHeader, so the page is a bare table, not a whole HTML document");
        const TWinControl* root = generator ? PageRoot(*generator) : &FForm;
        if (generator && generator->Container() && !generator->Container()->PublishedInfo()->AcceptsChildren)
            Warn(*generator, "Container " + generator->Container()->Name() + " is a " +
                                 generator->Container()->ClassName() +
                                 ", not a container control, so the page has no controls");
        FindOverlaps(*root);
        for (int i = 0; i < FForm.ComponentCount(); ++i) {
            auto* control = dynamic_cast<const TControl*>(FForm.Components(i));
            if (!control) continue;
            CheckPlace(*control, *root);
            if (auto* page = dynamic_cast<const TQuillCustomControl*>(control)) CheckPageControl(*page);
            if (auto* label = dynamic_cast<const TQuillLabel*>(control)) CheckLabel(*label);
            for (const std::string& overlap : FOverlaps[control]) Warn(*control, overlap);
        }
        return std::move(FFindings);
    }

private:
    void Warn(const TComponent& component, const std::string& message) {
        FFindings.push_back({PathOf(component, FForm), message, &component});
    }

    const TQuillHtmlGenerator* Generator() const {
        for (int i = 0; i < FForm.ComponentCount(); ++i)
            if (auto* g = dynamic_cast<const TQuillHtmlGenerator*>(FForm.Components(i))) return g;
        return nullptr;
    }

    bool HasHeader() const {
        for (int i = 0; i < FForm.ComponentCount(); ++i)
            if (dynamic_cast<const TQuillHeader*>(FForm.Components(i))) return true;
        return false;
    }

    static const TWinControl* PageRoot(const TQuillHtmlGenerator& generator) {
        return dynamic_cast<const TWinControl*>(generator.PageRoot());
    }

    static bool OnPage(const TControl& control, const TWinControl& root) {
        return control.Parent() == &root && control.Visible() && control.Width() > 0 && control.Height() > 0 &&
               dynamic_cast<const TQuillCustomControl*>(&control);
    }

    static bool Inside(const TControl& control, const TWinControl& root) {
        for (const TWinControl* p = control.Parent(); p; p = p->Parent())
            if (p == &root) return true;
        return false;
    }

    // Why a control is not on the page, or nothing to say.
    void CheckPlace(const TControl& control, const TWinControl& root) {
        const bool pageControl = dynamic_cast<const TQuillCustomControl*>(&control) != nullptr;
        if (control.Parent() == &root) {
            if (!pageControl)
                Warn(control, "a " + control.ClassName() +
                                  " is not a page control, so it is not on the page" +
                                  (control.PublishedInfo()->AcceptsChildren ? ", nor is anything inside it" : "") +
                                  "; only page controls such as TQuillLabel are");
            else if (!control.Visible())
                Warn(control, "not on the page: Visible is false");
            else if (control.Width() <= 0 || control.Height() <= 0)
                Warn(control, "not on the page: its size " + std::to_string(control.Width()) + "x" +
                                  std::to_string(control.Height()) + " covers no cell");
            return;
        }
        if (!pageControl || &control == &root) return;
        if (Inside(control, root))
            Warn(control, "not on the page: it sits inside " + control.Parent()->Name() +
                              ", and only the page root's (" + root.Name() + ") direct children are");
        else
            Warn(control, "not on the page: it lies outside the page root " + root.Name());
    }

    void CheckPageControl(const TQuillCustomControl& control) {
        const json* design = Designed(control);
        const json* color = DesignedValue(design, {"CellFormat", "Color"});
        if (color && control.CellFormat().ParentColor() &&
            ResolveColor(DesignedColor(*color)) != ResolveColor(control.Color()))
            Warn(control, "CellFormat.Color " + color->dump() +
                              " has no effect while CellFormat.ParentColor is true; the cell takes the colour "
                              "underneath (set ParentColor to false to use it)");
        if (!control.Parent() || !OnPageRootOf(control)) return;
        const TRect r = control.BoundsRect();
        const int width = FRootWidth;
        if (r.Left < 0 || r.Top < 0)
            Warn(control, "sticks out to the " + std::string(r.Left < 0 ? "left" : "top") +
                              " of the page root at " + Rect(r) + "; the table gets a cell of negative size");
        else if (r.Right > width)
            Warn(control, "reaches x=" + std::to_string(r.Right) + ", beyond the page root's width " +
                              std::to_string(width) + "; the table grows wider than the page");
    }

    bool OnPageRootOf(const TControl& control) const { return FRoot && OnPage(control, *FRoot); }

    void CheckLabel(const TQuillLabel& label) {
        if (!label.AutoSize()) return;
        const json* design = Designed(label);
        const json* width = DesignedValue(design, {"Width"});
        const json* height = DesignedValue(design, {"Height"});
        const bool widthReplaced = width && width->get<int64_t>() != label.Width();
        const bool heightReplaced = height && height->get<int64_t>() != label.Height();
        if (widthReplaced || heightReplaced)
            Warn(label, "AutoSize replaces the designed size " + (width ? width->dump() : "-") + "x" +
                            (height ? height->dump() : "-") + " with the caption's " + std::to_string(label.Width()) +
                            "x" + std::to_string(label.Height()) + "; set AutoSize to false to keep it");
        CheckSmallHtmlSize(label);
    }

    void CheckSmallHtmlSize(const TQuillLabel& label) {
        const TQuillHtmlFont& font = label.HtmlFont();
        if (font.Default().Contains(feSize) || font.Dynamics().Contains(feSize)) return;
        if (label.Caption().find(' ') == std::string::npos) return;
        // Only HTML size 1 (and relative sizes that come to it) maps to 7 points.
        if (label.Font().Size() != 7) return;
        Warn(label, "auto-sized label " + Quoted(label.Caption()) + " in HTML size " + Quoted(font.FontSize()) +
                        " is measured at 7 pt (" + std::to_string(-label.Font().Height()) +
                        " px) on screen, but browsers show HTML size 1 at " + std::to_string(kBrowserSize1Pixels) +
                        " px, so its caption may wrap there; give it a fixed size or a larger HTML size");
    }

    const json* Designed(const TComponent& component) const {
        auto it = FDesign.find(LowerCase(component.Name()));
        return it == FDesign.end() ? nullptr : it->second;
    }

    // Overlaps among the page controls, reported at the later one (which
    // wins the shared cells). A sweep from left to right keeps the controls
    // the sweep line crosses, ordered by top edge; only those can overlap.
    void FindOverlaps(const TWinControl& root) {
        FRoot = &root;
        FRootWidth = root.Width();
        std::vector<std::pair<const TControl*, int>> controls;  // control, child order
        for (int i = 0; i < root.ControlCount(); ++i)
            if (OnPage(*root.Controls(i), root)) controls.push_back({root.Controls(i), i});
        std::sort(controls.begin(), controls.end(),
                  [](const auto& a, const auto& b) { return a.first->Left() < b.first->Left(); });
        using TActive = std::multimap<int64_t, std::pair<const TControl*, int>>;  // by top edge
        TActive active;
        std::multiset<int> heights;
        // The crossed controls by right edge, the nearest first.
        auto later = [](const auto& a, const auto& b) { return a.first > b.first; };
        std::priority_queue<std::pair<int, TActive::iterator>, std::vector<std::pair<int, TActive::iterator>>,
                            decltype(later)>
            ends(later);
        for (const auto& entry : controls) {
            const TRect r = entry.first->BoundsRect();
            while (!ends.empty() && ends.top().first <= r.Left) {
                heights.erase(heights.find(ends.top().second->second.first->Height()));
                active.erase(ends.top().second);
                ends.pop();
            }
            const int64_t tallest = heights.empty() ? 0 : *heights.rbegin();
            for (auto it = active.lower_bound(int64_t{r.Top} - tallest); it != active.end() && it->first < r.Bottom; ++it)
                if (it->second.first->BoundsRect().Bottom > r.Top) Overlap(it->second, entry);
            ends.push({r.Right, active.insert({r.Top, entry})});
            heights.insert(entry.first->Height());
        }
    }

    void Overlap(std::pair<const TControl*, int> a, std::pair<const TControl*, int> b) {
        if (a.second > b.second) std::swap(a, b);
        const TRect ra = a.first->BoundsRect(), rb = b.first->BoundsRect();
        const TRect shared{std::max(ra.Left, rb.Left), std::max(ra.Top, rb.Top), std::min(ra.Right, rb.Right),
                           std::min(ra.Bottom, rb.Bottom)};
        FOverlaps[b.first].push_back("overlaps " + a.first->Name() + " in " + Rect(shared) + ", " +
                                     std::to_string(shared.Right - shared.Left) + "x" +
                                     std::to_string(shared.Bottom - shared.Top) + " px; the table cuts " +
                                     a.first->Name() + " there (the later control wins the shared cells)");
    }

    const TForm& FForm;
    std::map<std::string, const json*> FDesign;
    std::vector<TDesignFinding> FFindings;
    std::map<const TControl*, std::vector<std::string>> FOverlaps;
    const TWinControl* FRoot = nullptr;
    int FRootWidth = 0;
};

}  // namespace

std::vector<TDesignFinding> CheckDesign(const TForm& form, const json& design) { return TChecker(form, design).Run(); }

}  // namespace quill
