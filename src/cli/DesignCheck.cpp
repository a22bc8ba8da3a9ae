#include "cli/DesignCheck.h"

#include <algorithm>
#include <map>
#include <queue>
#include <set>

#include "controls/QuillCustomControl.h"
#include "controls/QuillImage.h"
#include "controls/QuillLabel.h"
#include "controls/QuillPanel.h"
#include "framework/Color.h"
#include "framework/Exception.h"
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
    if (value.is_string()) return ColorFromText(value.get<std::string>()).value_or(0);
    return static_cast<TColor>(static_cast<uint32_t>(value.get<int64_t>()));
}

class TChecker {
public:
    TChecker(const TForm& form, const json& design) : FForm(form) { IndexDesign(design, FDesign); }

    std::vector<TDesignFinding> Run() {
        const TQuillHtmlGenerator* generator = Generator();
        if (!generator)
            Advise(FForm, "no TQuillHtmlGenerator, so the form has no page");
        if (!HasHeader())
            Advise(FForm, "no TQuillHeader, so the page is a bare table, not a whole HTML document");
        const TWinControl* root = generator ? PageRoot(*generator) : &FForm;
        if (generator && generator->Container() && !generator->Container()->PublishedInfo()->AcceptsChildren)
            Warn(*generator, "Container " + generator->Container()->Name() + " is a " +
                                 generator->Container()->ClassName() +
                                 ", not a container control, so the page has no controls");
        FRoot = root;
        FindPageContainers(*root);
        for (const TWinControl* container : FPageContainers) FindOverlaps(*container);
        for (int i = 0; i < FForm.ComponentCount(); ++i) {
            auto* control = dynamic_cast<const TControl*>(FForm.Components(i));
            if (!control) continue;
            CheckPlace(*control, *root);
            if (auto* page = dynamic_cast<const TQuillCustomControl*>(control)) CheckPageControl(*page);
            if (auto* label = dynamic_cast<const TQuillLabel*>(control)) CheckLabel(*label);
            if (auto* image = dynamic_cast<const TQuillImage*>(control)) CheckImage(*image);
            for (const std::string& overlap : FOverlaps[control]) Warn(*control, overlap);
        }
        return std::move(FFindings);
    }

private:
    // Content the page drops or changes.
    void Warn(const TComponent& component, const std::string& message) {
        FFindings.push_back({PathOf(component, FForm), message, TFindingKind::PageChange, &component});
    }
    // The page is as designed; the design could say so more plainly.
    void Advise(const TComponent& component, const std::string& message) {
        FFindings.push_back({PathOf(component, FForm), message, TFindingKind::Advice, &component});
    }

    const TQuillHtmlGenerator* Generator() const { return FirstHtmlGenerator(FForm); }

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

    // The page root and the panels on the page, whose page controls are
    // on the page as well: found from the root down, without recursion.
    void FindPageContainers(const TWinControl& root) {
        std::vector<const TWinControl*> open{&root};
        while (!open.empty()) {
            const TWinControl* container = open.back();
            open.pop_back();
            FPageContainers.insert(container);
            for (int i = 0; i < container->ControlCount(); ++i) {
                const TControl* child = container->Controls(i);
                if (dynamic_cast<const TQuillPanel*>(child) && OnPage(*child, *container))
                    open.push_back(child->AsWinControl());
            }
        }
    }

    bool InPageContainer(const TControl& control) const {
        return control.Parent() && FPageContainers.count(control.Parent()) > 0;
    }

    // Why a control is not on the page, or nothing to say.
    void CheckPlace(const TControl& control, const TWinControl& root) {
        const bool pageControl = dynamic_cast<const TQuillCustomControl*>(&control) != nullptr;
        if (InPageContainer(control)) {
            if (!pageControl)
                Warn(control, "a " + control.ClassName() +
                                  " is not a page control, so it is not on the page" +
                                  (control.PublishedInfo()->AcceptsChildren ? ", nor is anything inside it" : "") +
                                  "; only page controls such as TQuillLabel are");
            else if (!control.Visible())
                Advise(control, "not on the page: Visible is false");
            else if (control.Width() <= 0 || control.Height() <= 0)
                Warn(control, "not on the page: its size " + std::to_string(control.Width()) + "x" +
                                  std::to_string(control.Height()) + " covers no cell");
            return;
        }
        if (!pageControl || &control == &root) return;
        if (dynamic_cast<const TQuillPanel*>(control.Parent()))
            Warn(control, "not on the page: it sits inside " + control.Parent()->Name() + ", which is not on the page");
        else if (Inside(control, root))
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
        if (!InPageContainer(control) || !OnPage(control, *control.Parent())) return;
        const TRect r = control.BoundsRect();
        const TWinControl& container = *control.Parent();
        if (&container != FRoot) return CheckInsidePanel(control, container);
        const int width = container.Width();
        if (r.Left < 0 || r.Top < 0)
            Warn(control, "sticks out to the " + std::string(r.Left < 0 ? "left" : "top") +
                              " of the page root at " + Rect(r) + "; the table gets a cell of negative size");
        else if (r.Right > width)
            Warn(control, "reaches x=" + std::to_string(r.Right) + ", beyond the page root's width " +
                              std::to_string(width) + "; the table grows wider than the page");
    }

    // A panel's table is as large as the panel: a control beyond any of
    // its edges makes the table, and so the panel's cell, larger.
    void CheckInsidePanel(const TControl& control, const TWinControl& panel) {
        const TRect r = control.BoundsRect();
        if (r.Left < 0 || r.Top < 0)
            Warn(control, "sticks out to the " + std::string(r.Left < 0 ? "left" : "top") + " of " + panel.Name() +
                              " at " + Rect(r) + "; its table gets a cell of negative size");
        else if (r.Right > panel.Width() || r.Bottom > panel.Height())
            Warn(control, "reaches " + Rect(r) + ", beyond " + panel.Name() + "'s size " +
                              std::to_string(panel.Width()) + "x" + std::to_string(panel.Height()) +
                              "; its table grows larger than the panel and moves what follows");
        else if (auto* label = dynamic_cast<const TQuillLabel*>(&control);
                 label && !label->AutoSize() && !label->CellFormat().FixedMinimumSize() && r.Left == 0 &&
                 r.Right == panel.Width())
            // No empty cell beside it says how high its rows are.
            Warn(control, "spans the whole width of " + panel.Name() +
                              " with FixedMinimumSize false, so its rows hold no other cell and a browser makes "
                              "them as high as the caption, not " +
                              std::to_string(control.Height()) + " px; set CellFormat.FixedMinimumSize to true");
    }

    void CheckImage(const TQuillImage& image) {
        if (image.Alt().empty())
            Advise(image, "Alt is empty, so readers who cannot see the image learn nothing of it; describe it in Alt");
        if (!TQuillImage::IsLocalSrc(image.Src())) return;
        try {
            image.ReadSize();
        } catch (const Exception& e) {
            Warn(image, "Src " + Quoted(image.Src()) + " cannot be read: " + e.Message() +
                            (image.AutoSize() ? "; the image keeps its designed size " + std::to_string(image.Width()) +
                                                    "x" + std::to_string(image.Height())
                                              : std::string()));
        }
    }

    void CheckLabel(const TQuillLabel& label) {
        if (!label.AutoSize()) return CheckFixedCaption(label);
        const json* design = Designed(label);
        const json* width = DesignedValue(design, {"Width"});
        const json* height = DesignedValue(design, {"Height"});
        const bool widthReplaced = width && width->get<int64_t>() != label.Width();
        const bool heightReplaced = height && height->get<int64_t>() != label.Height();
        if (widthReplaced || heightReplaced)
            Advise(label, "AutoSize replaces the designed size " + (width ? width->dump() : "-") + "x" +
                            (height ? height->dump() : "-") + " with the caption's " + std::to_string(label.Width()) +
                            "x" + std::to_string(label.Height()) + "; set AutoSize to false to keep it");
        CheckSmallHtmlSize(label);
    }

    // A fixed-size label wraps its caption at its width; a word wider than
    // that, or more lines than its height holds, make the browser grow the
    // cell, and with it the table. Markup is not measured: its tags and
    // line breaks are not what the page shows.
    void CheckFixedCaption(const TQuillLabel& label) {
        if (!InPageContainer(label) || !OnPage(label, *label.Parent()) || label.Caption().empty()) return;
        if (!label.PlainText() && label.Caption().find_first_of("<&\r\n") != std::string::npos) return;
        const TLabel& inner = label.InnerLabel();
        int widest = 0;
        int64_t lines = 0;
        for (const std::string& line : inner.TextLines()) {
            widest = std::max(widest, inner.LineWidth(line));
            ++lines;
        }
        const int64_t height = lines * inner.LineHeight();
        // Screen and browser line heights differ by a pixel or two; a
        // quarter of a line more is a line that does not fit.
        const int64_t spare = inner.LineHeight() / 4;
        if (widest <= label.Width() && height <= int64_t{label.Height()} + spare) return;
        Warn(label, "caption " + Quoted(Shortened(label.Caption())) + " needs " + std::to_string(widest) + "x" +
                        std::to_string(height) + " px, more than the cell's " + std::to_string(label.Width()) + "x" +
                        std::to_string(label.Height()) + "; browsers grow the cell, and the table with it");
    }

    // Long captions are cut in messages.
    static std::string Shortened(const std::string& text) {
        constexpr size_t kMax = 40;
        size_t cut = text.size();
        if (cut > kMax) {
            cut = kMax;
            while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // whole UTF-8 characters
        }
        std::string shown = text.substr(0, cut);
        // A finding is one line.
        for (char& c : shown)
            if (c == '\r' || c == '\n' || c == '\t') c = ' ';
        return cut < text.size() ? shown + "..." : shown;
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
    std::set<const TWinControl*> FPageContainers;
};

}  // namespace

std::vector<TDesignFinding> CheckDesign(const TForm& form, const json& design) { return TChecker(form, design).Run(); }

}  // namespace quill
