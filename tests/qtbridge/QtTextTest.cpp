// Text on screen: the characters that were measured, in the places
// measured for them.
#include <QImage>
#include <QPainter>
#include <QTest>

#include "framework/Label.h"
#include "qtbridge/ControlPainter.h"
#include "qtbridge/QtPalette.h"

using namespace quill;

namespace {

// Leftmost and rightmost columns holding dark pixels.
std::pair<int, int> InkColumns(const QImage& image) {
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return {left, right};
}

}  // namespace

class QtTextTest : public QObject {
    Q_OBJECT

private slots:
    // One U+FFFD per maximal subpart, as the measurer counts them; Qt's
    // own decoder gives "\xE2\x82" two.
    void captionsAreDecodedAsTheyAreMeasured_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ascii") << QByteArray("Hello") << QStringLiteral("Hello");
        QTest::newRow("latin") << QByteArray("Caf\xC3\xA9 Stra\xC3\x9F" "e") << QStringLiteral(u"Caf\u00e9 Stra\u00dfe");
        QTest::newRow("cyrillic and cjk") << QByteArray("\xD0\x96 \xE6\x9D\xB1") << QStringLiteral(u"\u0416 \u6771");
        QTest::newRow("beyond 16 bits") << QByteArray("\xF0\x9F\x98\x80!") << QStringLiteral(u"\U0001F600!");
        QTest::newRow("cut short") << QByteArray("a\xE2\x82" "b") << QStringLiteral(u"a\uFFFDb");
        QTest::newRow("cut short at the end") << QByteArray("ok\xF0\x9F\x98") << QStringLiteral(u"ok\uFFFD");
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << QStringLiteral(u"\uFFFD\uFFFD\uFFFD");
        QTest::newRow("overlong") << QByteArray("\xC0\xAF") << QStringLiteral(u"\uFFFD\uFFFD");
        QTest::newRow("nul inside") << QByteArray("a\0b", 3) << QString(QStringLiteral(u"a")) + QChar(0) + u'b';
    }
    void captionsAreDecodedAsTheyAreMeasured() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QCOMPARE(qtbridge::ToQString(bytes.toStdString()), expected);
        QCOMPARE(qtbridge::ToQString(qtbridge::FromQString(expected)), expected);
    }

    // A caption drawn in a fallback face spans the width it was measured
    // at: the screen shows the characters the page cell was sized for.
    void captionsInOtherScriptsFillTheirMeasuredWidth_data() {
        QTest::addColumn<QString>("caption");
        QTest::newRow("german") << QStringLiteral(u"Gr\u00f6\u00dfe \u00fcber \u00c4pfel");
        QTest::newRow("russian") << QStringLiteral(u"\u041f\u0440\u0438\u0432\u0435\u0442 \u043c\u0438\u0440");
        // Ends in an ideograph, whose ink fills its advance.
        QTest::newRow("japanese") << QStringLiteral(u"\u6771\u4eac\u30bf\u30ef\u30fc\u3068\u65e5\u672c\u8a9e");
    }
    void captionsInOtherScriptsFillTheirMeasuredWidth() {
        QFETCH(QString, caption);
        TLabel label(nullptr);
        label.Font().SetName("Arial");
        label.Font().SetSize(12);
        label.SetCaption(qtbridge::FromQString(caption));
        QCOMPARE(label.TextLines().size(), size_t{1});
        const int width = label.LineWidth(label.TextLines()[0]);
        QImage image(width + 40, label.Height() + 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.translate(10, 10);
            qtbridge::PaintLabel(painter, label, QRect(0, 0, label.Width(), label.Height()));
        }
        const auto [left, right] = InkColumns(image);
        QVERIFY2(left >= 10 && left <= 13, qPrintable(QString("ink starts at %1").arg(left)));
        // The last glyph's side bearing leaves a few columns blank.
        QVERIFY2(right >= 10 + width - 4 && right <= 10 + width, qPrintable(QString("ink ends at %1, measured %2")
                                                                              .arg(right - 10)
                                                                              .arg(width)));
    }
};

QTEST_MAIN(QtTextTest)
#include "QtTextTest.moc"
