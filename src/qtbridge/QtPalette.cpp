#include "qtbridge/QtPalette.h"

#include "framework/Utf8.h"

namespace quill::qtbridge {

QColor ToQColor(TColor color) {
    TColor rgb = ResolveColor(color);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

QFont ToQFont(const TFont& font) {
    QFont result(ToQString(font.Name()));
    int height = font.Height();
    result.setPixelSize(height < 0 ? -height : height);
    result.setBold(font.Style().Contains(fsBold));
    result.setItalic(font.Style().Contains(fsItalic));
    result.setUnderline(font.Style().Contains(fsUnderline));
    result.setStrikeOut(font.Style().Contains(fsStrikeOut));
    return result;
}

// Decoded as the measurer decodes, so that the screen shows the characters
// that were measured: Qt's own decoder gives a malformed sequence a
// different number of U+FFFD.
QString ToQString(const std::string& text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (size_t pos = 0; pos < text.size();) {
        const char32_t c = NextCodePoint(text, pos);
        if (QChar::requiresSurrogates(c)) {
            result += QChar(QChar::highSurrogate(c));
            result += QChar(QChar::lowSurrogate(c));
        } else {
            result += QChar(static_cast<char16_t>(c));
        }
    }
    return result;
}

std::string FromQString(const QString& text) { return text.toStdString(); }

}  // namespace quill::qtbridge
