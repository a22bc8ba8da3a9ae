#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <string>

#include "framework/Color.h"
#include "framework/Font.h"

namespace quill::qtbridge {

// The framework's colour, system colours resolved, as Qt draws it.
QColor ToQColor(TColor color);
// The framework's font at its pixel size (96 pixels per inch).
QFont ToQFont(const TFont& font);
// UTF-8 text; each malformed sequence shows as one U+FFFD per maximal
// subpart, as it is measured.
QString ToQString(const std::string& text);
std::string FromQString(const QString& text);

}  // namespace quill::qtbridge
