#include "markup/HtmlText.h"

namespace quill {

bool NeedsHtmlText(std::string_view text) { return text.find_first_of("&<>\"\r\n") != std::string_view::npos; }

std::string HtmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        switch (text[i]) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "<br>";
            break;
        case '\n':
            out += "<br>";
            break;
        default:
            out += text[i];
        }
    }
    return out;
}

}  // namespace quill
