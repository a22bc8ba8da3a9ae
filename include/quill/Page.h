#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace quill {

class TComponent;
class TComponentIndex;
class TForm;
class TQuillHtmlGenerator;

// One page form of its own, made from a Design for one request. Set
// changes it, Render writes its HTML page; the form is freed with the
// Page. A Page is for one thread at a time.
class Page {
public:
    // A single page read straight from a design, for a program that
    // renders once and keeps no Design (the quill program does so).
    static Page FromString(const std::string& text, const std::string& name);

    Page(Page&&) noexcept;
    Page& operator=(Page&&) noexcept;
    ~Page();

    // Sets a published property by its path, "Component.Property" or a
    // nested one such as "QuillLabel1.CellFormat.AlignH", from its text as
    // a design would give it. Integers and booleans take their text form
    // ("12", "true"), a set its members separated by commas, a reference
    // the component's name ("" for none). A wrong name or value raises
    // Exception, says what it could have been and changes nothing.
    void Set(std::string_view path, std::string_view value);

    // The HTML page, every line followed by CR LF.
    std::string Render();
    // The same, written line by line to `out`, so a big page needs no
    // joined copy; check `out` afterwards as after any write.
    void Render(std::ostream& out);

    // The framework's form and its page generator, for programs that need
    // more than the calls above.
    TForm& Form() { return *FForm; }
    TQuillHtmlGenerator& Generator() { return *FGenerator; }

private:
    friend class Design;
    Page(std::unique_ptr<TForm> form, const std::string& designName);
    TComponent* FindComponent(std::string_view name);

    std::unique_ptr<TForm> FForm;
    TQuillHtmlGenerator* FGenerator = nullptr;
    std::unique_ptr<TComponentIndex> FNames;  // made on the first Set
};

}  // namespace quill
