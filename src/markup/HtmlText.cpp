#include "markup/HtmlText.h"

namespace quill {

bool NeedsHtmlText(std::string_view text) { return text.find_first_of("&<>\"\r\n") != std::string_view::npos; }

void AppendHtmlEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
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
        default:
            out += c;
        }
    }
}

std::string HtmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        AppendHtmlEscaped(out, text.substr(start, i - start));
        out += "<br>";
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    AppendHtmlEscaped(out, text.substr(start));
    return out;
}

}  // namespace quill
