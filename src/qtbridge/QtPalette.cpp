#include "qtbridge/QtPalette.h"

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

QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string FromQString(const QString& text) { return text.toStdString(); }

}  // namespace quill::qtbridge
