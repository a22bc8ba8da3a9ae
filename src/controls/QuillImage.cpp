#include "controls/QuillImage.h"

#include <cstdint>
#include <filesystem>
#include <limits>

#include "framework/ClassBuilder.h"
#include "framework/Exception.h"
#include "framework/Form.h"
#include "markup/HtmlText.h"

namespace quill {

namespace {

bool IsSchemeChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' || c == '-' ||
           c == '.';
}

}  // namespace

TQuillImage::TQuillImage(TComponent* owner) : TQuillCustomControl(owner) {
    // Written directly: the framework's own sizing plays no part.
    StoreAutoSize(true);
}

void TQuillImage::SetSrc(const std::string& value) {
    if (value == FSrc) return;
    FSrc = value;
    if (!Loading()) FitImage();
    NotifyView(TControlChange::State);
}

void TQuillImage::SetAlt(const std::string& value) {
    if (value == FAlt) return;
    FAlt = value;
    NotifyView(TControlChange::State);
}

bool TQuillImage::IsLocalSrc(std::string_view src) {
    if (src.empty() || src[0] == '/' || src[0] == '\\') return false;
    if (src.find_first_of("?#") != std::string_view::npos) return false;
    // A scheme is letters, digits, "+", "-" and "." before a colon.
    const size_t colon = src.find(':');
    if (colon == std::string_view::npos) return true;
    for (size_t i = 0; i < colon; ++i)
        if (!IsSchemeChar(src[i])) return true;
    return false;
}

std::string TQuillImage::ImagePath() const {
    if (!IsLocalSrc(FSrc)) return {};
    const auto* form = dynamic_cast<const TForm*>(Owner());
    if (!form || form->DesignFolder().empty()) return FSrc;
    return (std::filesystem::path(form->DesignFolder()) / FSrc).string();
}

TImageSize TQuillImage::ReadSize() const {
    if (!IsLocalSrc(FSrc)) throw Exception(Name() + ": Src \"" + FSrc + "\" names no local file");
    return ReadImageSize(ImagePath());
}

std::string TQuillImage::ImageTag() const {
    std::string tag = "<img src=\"";
    AppendHtmlEscaped(tag, FSrc);
    tag += "\" alt=\"";
    AppendHtmlEscaped(tag, FAlt);
    tag += "\" width=\"" + std::to_string(Width()) + "\" height=\"" + std::to_string(Height()) + "\" border=\"0\">";
    return tag;
}

void TQuillImage::ChangeAutoSize(bool value) {
    TQuillCustomControl::ChangeAutoSize(value);
    if (value && !Loading()) FitImage();
}

void TQuillImage::GenerateContent(std::string& content) {
    content = ImageTag();
    if (const auto& handler = OnGenerateContent()) handler(content);
}

void TQuillImage::GetDefaultHtml(TStrings& strings) {
    std::string line;
    // The link holds its open tag from start to end: keep this order.
    HtmlLink().WriteStartTag(line);
    std::string content;
    GenerateContent(content);
    line += content;
    HtmlLink().WriteEndTag(line);
    strings.Add(line);
}

void TQuillImage::AfterLoad() {
    TQuillCustomControl::AfterLoad();
    FitImage();
}

void TQuillImage::FitImage() {
    if (!AutoSize() || !IsLocalSrc(FSrc)) return;
    TImageSize size;
    try {
        size = ReadSize();
    } catch (const Exception&) {
        // The designed size stays; quill check tells why.
        return;
    }
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    if (int64_t{Left()} + size.Width > kMax || int64_t{Top()} + size.Height > kMax) return;
    ChangeBounds(Left(), Top(), size.Width, size.Height);
}

const TClassInfo& TQuillImage::StaticInfo() {
    using C = TQuillImage;
    static const TClassInfo info =
        TClassBuilder<C>("TQuillImage", &TQuillCustomControl::StaticInfo())
            .Creatable()
            .String("Alt", &C::Alt, &C::SetAlt)
            .Bool("AutoSize", [](const C& c) { return c.AutoSize(); }, &C::ChangeAutoSize, true)
            .Object("CellFormat", "THtmlTableDataProperty", [](C& c) -> TPersistent& { return c.CellFormat(); })
            .Object("HtmlLink", "THtmlLinkProperty", [](C& c) -> TPersistent& { return c.HtmlLink(); })
            .String("Src", &C::Src, &C::SetSrc)
            .Build();
    return info;
}

}  // namespace quill
