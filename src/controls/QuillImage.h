#pragma once

#include <string>
#include <string_view>

#include "controls/ImageSize.h"
#include "controls/QuillCustomControl.h"

namespace quill {

// A picture on the page: its cell holds one img tag, inside the link when
// one is set. When AutoSize is on and Src names an image file beside the
// design, the control takes the image's pixel size as the design is read;
// otherwise it keeps its designed size.
class TQuillImage : public TQuillCustomControl {
public:
    explicit TQuillImage(TComponent* owner);
    std::string ClassName() const override { return "TQuillImage"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    // Written into the page as given.
    const std::string& Src() const { return FSrc; }
    void SetSrc(const std::string& value);
    const std::string& Alt() const { return FAlt; }
    void SetAlt(const std::string& value);

    // Whether `src` names a file relative to the page rather than a place
    // of its own: no scheme, no leading slash, no query or fragment.
    static bool IsLocalSrc(std::string_view src);
    // The file Src names, from the design's folder; empty when Src is not
    // local.
    std::string ImagePath() const;
    // The size the image file states; raises Exception saying why there
    // is none (Src not local, the file unreadable or not an image).
    TImageSize ReadSize() const;

    // The img tag with Src, Alt and the control's size.
    std::string ImageTag() const;

    void ChangeAutoSize(bool value) override;
    void GenerateContent(std::string& content) override;
    // One line: link start, content, link end. A picture takes no font.
    void GetDefaultHtml(TStrings& strings) override;
    void AfterLoad() override;

private:
    // Takes the image's size when AutoSize is on and the file can be read.
    void FitImage();

    std::string FSrc;
    std::string FAlt;
};

}  // namespace quill
