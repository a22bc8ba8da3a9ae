#pragma once

#include <string>

#include "framework/Color.h"
#include "framework/Component.h"
#include "framework/Strings.h"

namespace quill {

class TQuillHtmlGenerator;

enum TQuillPageSection { psOpening, psClosing };

// A non-visual component that writes lines around the page body: once
// before it (opening) and once after it (closing), ordered by Priority.
class TQuillComponent : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TQuillComponent"; }
    bool HearsSiblings() const override { return false; }

    int Priority() const { return FPriority; }
    void SetPriority(int value) { FPriority = value; }
    // Set by the generator right before the opening pass; not owned.
    TQuillHtmlGenerator* Generator() const { return FGenerator; }
    void SetGenerator(TQuillHtmlGenerator* generator) { FGenerator = generator; }

    // Appends the component's lines for `section` to `lines`.
    virtual void WriteHtml(TQuillPageSection section, TStrings& lines) = 0;

private:
    int FPriority = 0;
    TQuillHtmlGenerator* FGenerator = nullptr;
};

// Writes the document frame: "<html>", the head with title, style block
// and refresh directive, "<body>" with optional cache directives, and at
// the end "</body>" and "</html>".
class TQuillHeader : public TQuillComponent {
public:
    using TQuillComponent::TQuillComponent;
    std::string ClassName() const override { return "TQuillHeader"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value) { FTitle = value; }
    int RefreshSeconds() const { return FRefreshSeconds; }
    void SetRefreshSeconds(int value) { FRefreshSeconds = value; }
    bool PreventCache() const { return FPreventCache; }
    void SetPreventCache(bool value) { FPreventCache = value; }
    // The page's character set, such as "utf-8", declared first in the
    // head; empty declares none. A name holds only letters, digits and
    // "-_.:+", at most 40 of them; anything else raises Exception.
    const std::string& Charset() const { return FCharset; }
    void SetCharset(const std::string& value);
    // The page background, taken from the page root at every call.
    TColor BodyColor() const { return FBodyColor; }

    void WriteHtml(TQuillPageSection section, TStrings& lines) override;

private:
    void WriteOpening(TStrings& lines);

    std::string FTitle;
    std::string FCharset;
    int FRefreshSeconds = 0;
    bool FPreventCache = false;
    TColor FBodyColor = 0;
    std::string FLine;  // the line being put together, kept for the next page
};

}  // namespace quill
