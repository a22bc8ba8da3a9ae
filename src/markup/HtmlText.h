#pragma once

#include <string>
#include <string_view>

namespace quill {

// Plain text as page content: "&", "<", ">" and '"' become character
// references, and each line break (CR LF, LF or a lone CR, as labels
// measure lines) becomes "<br>". Everything else is copied as it is.
std::string HtmlText(std::string_view text);
// Appends `text` with only "&", "<", ">" and '"' made character
// references: what an attribute value needs so that it cannot break its tag.
void AppendHtmlEscaped(std::string& out, std::string_view text);
// Whether HtmlText would change `text`.
bool NeedsHtmlText(std::string_view text);

}  // namespace quill
