#include "controls/QuillImage.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "ImageFiles.h"
#include "TestSupport.h"
#include "controls/QuillClasses.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "framework/FormWriter.h"
#include "page/QuillGenerator.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

// A design of one image, read from a file in `folder`.
std::unique_ptr<TForm> ReadImageDesign(const fs::path& folder, const std::string& imageProps) {
    const std::string text = R"({"class": "TForm", "name": "F", "properties": {"Width": 308, "Height": 234}, "children": [
        {"class": "TQuillImage", "name": "Pic", "properties": {"Left": 10, "Top": 20, "Width": 50, "Height": 40, )" +
                             imageProps + R"(}},
        {"class": "TQuillHtmlGenerator", "name": "G"}]})";
    test::WriteFile(folder / "page.form.json", text);
    RegisterQuillClasses();
    return LoadFormDesign((folder / "page.form.json").string());
}

TQuillImage& ImageOf(TForm& form) { return *dynamic_cast<TQuillImage*>(form.FindComponent("Pic")); }

std::string PageOf(TForm& form) {
    return dynamic_cast<TQuillHtmlGenerator*>(form.FindComponent("G"))->Generate()->Text();
}

TEST(QuillImage, LocalSrcIsARelativeFileName) {
    for (const char* local : {"logo.png", "images/logo.png", "../shared/a b.gif", "a b:c.png"})
        EXPECT_TRUE(TQuillImage::IsLocalSrc(local)) << local;
    for (const char* remote : {"", "http://example.org/a.png", "https://x/a.png", "data:image/png;base64,AAAA",
                               "//cdn.example.org/a.png", "/images/a.png", "\\\\server\\a.png", "a.png?v=2",
                               "a.png#top", "mailto:x", "C:\\pictures\\a.png"})
        EXPECT_FALSE(TQuillImage::IsLocalSrc(remote)) << remote;
}

TEST(QuillImage, CellHoldsOneEscapedImageTagInsideItsLink) {
    test::TTempDir dir("quill-image-cell");
    auto form = ReadImageDesign(dir.Path(), R"("Src": "a&b\".png?x=<1>", "Alt": "Tom & \"Jerry\" <3>",
        "HtmlLink": {"Href": "next.html"}, "CellFormat": {"AlignH": "haCenter"})");
    const std::string page = PageOf(*form);
    EXPECT_NE(page.find("<td align=\"center\" valign=\"top\" width=\"50\">\r\n"
                        "<a href=\"next.html\"><img src=\"a&amp;b&quot;.png?x=&lt;1&gt;\" alt=\"Tom &amp; &quot;Jerry&quot; "
                        "&lt;3&gt;\" width=\"50\" height=\"40\" border=\"0\"></a></td>\r\n"),
              std::string::npos)
        << page;
}

TEST(QuillImage, EmptyAltIsWrittenAndContentHandlerMayReplaceTheTag) {
    TForm form(nullptr);
    auto* image = new TQuillImage(&form);
    image->SetParent(&form);
    image->ChangeBounds(0, 0, 7, 8);
    EXPECT_EQ(image->ImageTag(), R"(<img src="" alt="" width="7" height="8" border="0">)");
    image->SetOnGenerateContent([](std::string& content) { content = "[" + content + "]"; });
    TStringList lines;
    image->GetHtml(lines);
    EXPECT_EQ(lines.Text(), "[<img src=\"\" alt=\"\" width=\"7\" height=\"8\" border=\"0\">]\r\n");
}

// What reading the design makes of the file Src names: the image's size,
// or the designed 50x40 and the reason the check gives.
TEST(QuillImage, AutoSizeTakesTheImageSizeOrKeepsTheDesignedOne) {
    test::TTempDir dir("quill-image-size");
    const fs::path d = dir.Path();
    test::WriteFile(d / "wide.png", test::PngBytes(320, 24));
    test::WriteFile(d / "anim.gif", test::GifBytes(33, 44));
    test::WriteFile(d / "photo.jpg", test::JpegBytes(640, 480, 3000));
    test::WriteFile(d / "liar.png", test::PngBytes(1000000, 1000000));
    test::WriteFile(d / "long.png", test::PngBytes(40000, 10));
    test::WriteFile(d / "zero.png", test::PngBytes(0, 10));
    test::WriteFile(d / "truncated.png", test::PngBytes(30, 30).substr(0, 20));
    test::WriteFile(d / "empty.png", "");
    test::WriteFile(d / "text.png", "not an image at all");
    fs::create_directory(d / "folder.png");
    ASSERT_EQ(::mkfifo((d / "pipe.png").c_str(), 0600), 0);
    // A gigabyte that takes no room: refused by its size, never read.
    { std::ofstream(d / "huge.png"); }
    fs::resize_file(d / "huge.png", uintmax_t{1} << 30);
    fs::create_symlink(d / "wide.png", d / "link.png");
    fs::create_symlink("/dev/zero", d / "zero-device.png");
    struct {
        std::string src;
        int width, height;
        std::string reason;  // part of the check's message; empty when read
    } cases[] = {
        {"wide.png", 320, 24, ""},
        {"anim.gif", 33, 44, ""},
        {"photo.jpg", 640, 480, ""},
        {"link.png", 320, 24, ""},
        {"liar.png", 50, 40, "not a readable PNG, JPEG or GIF image"},
        {"long.png", 50, 40, "states a size of 40000x10 pixels, beyond the 32768 a side this reads"},
        {"zero.png", 50, 40, "not a readable PNG, JPEG or GIF image"},
        {"truncated.png", 50, 40, "not a readable PNG, JPEG or GIF image"},
        {"empty.png", 50, 40, "not a readable PNG, JPEG or GIF image"},
        {"text.png", 50, 40, "not a readable PNG, JPEG or GIF image"},
        {"missing.png", 50, 40, "No such file or directory"},
        {"folder.png", 50, 40, "is a folder, not a regular file"},
        {"pipe.png", 50, 40, "is a pipe, not a regular file"},
        {"huge.png", 50, 40, "holds 1073741824 bytes, more than the limit of 67108864"},
        {"zero-device.png", 50, 40, "is a device, not a regular file"},
        {"../../../../../../../../dev/zero", 50, 40, "is a device, not a regular file"},
        {"http://example.org/wide.png", 50, 40, "names no local file"},
    };
    for (const auto& c : cases) {
        auto form = ReadImageDesign(d, "\"Src\": \"" + c.src + "\"");
        TQuillImage& image = ImageOf(*form);
        EXPECT_EQ(image.BoundsRect(), (TRect{10, 20, 10 + c.width, 20 + c.height})) << c.src;
        if (c.reason.empty()) {
            EXPECT_NO_THROW(image.ReadSize()) << c.src;
            continue;
        }
        try {
            image.ReadSize();
            ADD_FAILURE() << c.src << " was read";
        } catch (const Exception& e) {
            EXPECT_NE(e.Message().find(c.reason), std::string::npos) << c.src << ": " << e.Message();
        }
    }
}

TEST(QuillImage, SrcIsFoundBesideTheDesignWhateverTheCurrentFolder) {
    test::TTempDir dir("quill-image-folder");
    fs::create_directories(dir / "site/pics");
    test::WriteFile(dir / "site/pics/a.png", test::PngBytes(12, 34));
    auto form = ReadImageDesign(dir / "site", R"("Src": "pics/a.png")");
    EXPECT_EQ(ImageOf(*form).ImagePath(), (dir / "site" / "pics/a.png").string());
    EXPECT_EQ(ImageOf(*form).Width(), 12);
    // The page keeps Src as given.
    EXPECT_NE(PageOf(*form).find(R"(<img src="pics/a.png" alt="" width="12" height="34" border="0">)"),
              std::string::npos);
}

// A design kept for many forms (as the page server keeps its own) finds
// the image beside the design file for each of them.
TEST(QuillImage, FormsMadeFromAKeptDesignFindTheImageToo) {
    test::TTempDir dir("quill-image-kept");
    test::WriteFile(dir / "a.png", test::PngBytes(21, 22));
    ReadImageDesign(dir.Path(), R"("Src": "a.png")");
    const TFormDesign design(test::ReadFile(dir / "page.form.json"), (dir / "page.form.json").string());
    for (int i = 0; i < 2; ++i) {
        std::unique_ptr<TForm> form = design.CreateForm();
        EXPECT_EQ(form->DesignFolder(), dir.Path().string());
        EXPECT_EQ(ImageOf(*form).Width(), 21);
        EXPECT_EQ(ImageOf(*form).Height(), 22);
    }
}

TEST(QuillImage, AutoSizeOffKeepsTheDesignedSizeAndSwitchingItOnTakesTheImages) {
    test::TTempDir dir("quill-image-off");
    test::WriteFile(dir / "a.png", test::PngBytes(70, 30));
    auto form = ReadImageDesign(dir.Path(), R"("Src": "a.png", "AutoSize": false)");
    TQuillImage& image = ImageOf(*form);
    EXPECT_EQ(image.Width(), 50);
    image.ChangeAutoSize(true);
    EXPECT_EQ(image.Width(), 70);
    EXPECT_EQ(image.Height(), 30);
    test::WriteFile(dir / "b.png", test::PngBytes(5, 6));
    image.SetSrc("b.png");
    EXPECT_EQ(image.BoundsRect(), (TRect{10, 20, 15, 26}));
}

TEST(QuillImage, DesignRoundTripKeepsEveryValue) {
    RegisterQuillClasses();
    const std::string text = R"({"class": "TForm", "name": "F", "children": [
        {"class": "TQuillImage", "name": "Pic", "properties": {"Left": 1, "Top": 2, "Width": 3, "Height": 4,
         "Alt": "a \"b\"", "AutoSize": false, "Src": "http://x/y.gif", "Visible": false,
         "CellFormat": {"AlignH": "haRight", "Color": "clRed", "ParentColor": false}, "HtmlLink": {"Href": "h", "Target": "t"}}}]})";
    auto form = ReadFormDesign(text, "d.json");
    const std::string written = WriteFormDesign(*form);
    auto again = ReadFormDesign(written, "again.json");
    TQuillImage& image = ImageOf(*again);
    EXPECT_EQ(image.Alt(), "a \"b\"");
    EXPECT_FALSE(image.AutoSize());
    EXPECT_EQ(image.Src(), "http://x/y.gif");
    EXPECT_FALSE(image.Visible());
    EXPECT_EQ(image.CellFormat().AlignH(), haRight);
    EXPECT_EQ(image.CellFormat().Color(), clRed);
    EXPECT_EQ(image.HtmlLink().Target(), "t");
    EXPECT_EQ(WriteFormDesign(*again), written);
    // A new image stores nothing but its place.
    auto plain = ReadFormDesign(R"({"class": "TForm", "name": "F", "children": [{"class": "TQuillImage", "name": "Pic"}]})", "p.json");
    EXPECT_EQ(WriteFormDesign(*plain).find("AutoSize"), std::string::npos);
}

}  // namespace
}  // namespace quill
