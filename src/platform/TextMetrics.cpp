#include "platform/TextMetrics.h"

#include <algorithm>
#include <limits>

namespace quill::platform {

int TextWidth(const TTextFont& font, std::string_view line) {
    const int64_t advance = TextAdvance(font, line);
    const int64_t pixels = advance / kAdvanceUnitsPerPixel + (advance % kAdvanceUnitsPerPixel != 0 ? 1 : 0);
    return static_cast<int>(std::min<int64_t>(pixels, std::numeric_limits<int>::max()));
}

}  // namespace quill::platform
