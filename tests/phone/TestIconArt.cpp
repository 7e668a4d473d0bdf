// The icon pictures: every one is a valid drawing, and the loader renders them where and as they are asked for.
#include "phone/ui/ButtonGlyphs.h"
#include "phone/ui/IconArt.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>

namespace {

QImage canvas(const QSize& size, qreal devicePixelRatio)
{
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    return image;
}

// The largest difference of any channel of any pixel.
int largestDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* left = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* right = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            for (const int shift : {0, 8, 16, 24}) {
                largest = qMax(largest, qAbs(int((left[x] >> shift) & 0xff) - int((right[x] >> shift) & 0xff)));
            }
        }
    }
    return largest;
}

int largestAlpha(const QImage& image)
{
    int largest = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            largest = qMax(largest, qAlpha(image.pixel(x, y)));
        }
    }
    return largest;
}

} // namespace

class TestIconArt final : public QObject {
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void everyPictureIsAValidDrawingThatShowsSomething()
    {
        QVERIFY(!IconArt::pixmap(QStringLiteral("state/idle"), 8).isNull()); // registers the pictures
        int pictures = 0;
        for (QDirIterator it(QStringLiteral(":/icons"), {QStringLiteral("*.svg")}, QDir::Files,
                             QDirIterator::Subdirectories);
             it.hasNext(); ++pictures) {
            const QString name = it.next().mid(QStringLiteral(":/icons/").size()).chopped(4);
            const QImage picture = IconArt::pixmap(name, 24, 1, Qt::white).toImage();
            QVERIFY2(largestAlpha(picture) == 255, qPrintable(name));
        }
        QVERIFY(pictures > 0);
    }

    void aPixmapHasTheDevicePixelsOfItsRatioAndIsMadeOnce()
    {
        const QPixmap doubled = IconArt::pixmap(QStringLiteral("tray/normal"), 22, 2);
        QCOMPARE(doubled.size(), QSize(44, 44));
        QCOMPARE(doubled.devicePixelRatio(), 2.0);
        QCOMPARE(IconArt::pixmap(QStringLiteral("tray/normal"), 22, 2).cacheKey(), doubled.cacheKey());
        QVERIFY(IconArt::pixmap(QStringLiteral("tray/normal"), 22, 1).cacheKey() != doubled.cacheKey());
    }

    // Drawn through the cache at any sub-pixel place and pixel ratio, a picture looks as if drawn as a vector
    // there, strokes reaching past its box included.
    void paintingMatchesTheVectorDrawingAtAnyPlace_data()
    {
        QTest::addColumn<QRectF>("box");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QPointF>("shift");
        QTest::newRow("whole pixels") << QRectF(4, 4, 18, 18) << 1.0 << QPointF();
        QTest::newRow("half pixels") << QRectF(4.5, 3.5, 13, 13) << 1.0 << QPointF();
        QTest::newRow("half pixels at 2x") << QRectF(4.5, 3.5, 13, 13) << 2.0 << QPointF();
        QTest::newRow("odd place, moved painter") << QRectF(2.3, 5.7, 10, 10) << 1.0 << QPointF(1.25, 0.5);
    }

    void paintingMatchesTheVectorDrawingAtAnyPlace()
    {
        QFETCH(QRectF, box);
        QFETCH(qreal, ratio);
        QFETCH(QPointF, shift);
        const QString name = QStringLiteral("button/redial");
        QImage cached = canvas(QSize(28, 28), ratio);
        QPainter viaCache(&cached);
        viaCache.translate(shift);
        IconArt::paint(viaCache, box, name);
        viaCache.end();

        QFile file(QStringLiteral(":/icons/%1.svg").arg(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QSvgRenderer renderer(file.readAll());
        QImage direct = canvas(QSize(28, 28), ratio);
        QPainter asVector(&direct);
        asVector.translate(shift);
        renderer.render(&asVector, box);
        asVector.end();
        // Places are kept to 1/64 pixel: an edge may cover a pixel by 4/255 more or less.
        QVERIFY(largestDifference(cached, direct) <= 4);
    }

    // The ink colours only the parts drawn in ink, with its opacity: a disabled key's record dot keeps its red.
    void inkColoursTheInkedPartsOnly()
    {
        const auto colourAt = [](const QColor& ink, int x) {
            return IconArt::pixmap(QStringLiteral("button/record"), 50, 1, ink).toImage().pixelColor(x, 25);
        };
        QCOMPARE(colourAt(Qt::green, 9).rgba(), QColor(Qt::green).rgba()); // on the rim
        QColor faint(Qt::green);
        faint.setAlphaF(0.32);
        QVERIFY(qAbs(colourAt(faint, 9).alpha() - 82) <= 1);
        QCOMPARE(colourAt(faint, 25), QColor(0x8a, 0x2c, 0x28)); // the dot
        QVERIFY(IconArt::pixmap(QStringLiteral("button/record"), 50, 1, faint).cacheKey() !=
                IconArt::pixmap(QStringLiteral("button/record"), 50, 1, Qt::green).cacheKey());
    }

    void everyKeyHasItsPicture()
    {
        for (int button = int(SkinButton::Park); button <= int(SkinButton::Rec); ++button) {
            for (const bool lit : {false, true}) {
                QImage image = canvas(QSize(18, 18), 1);
                QPainter painter(&image);
                ButtonGlyphs::paint(painter, QRectF(2, 2, 14, 14), SkinButton(button), Qt::white, lit);
                painter.end();
                QVERIFY2(largestAlpha(image) == 255, qPrintable(QString::number(button)));
            }
        }
    }

    void aMissingPictureIsNullAndSaidSo()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!No valid icon picture named state/none)")));
        QTest::ignoreMessage(QtWarningMsg, "No valid icon picture named state/none");
        QVERIFY(IconArt::pixmap(QStringLiteral("state/none"), 16).isNull());
    }
};

QTEST_MAIN(TestIconArt)
#include "TestIconArt.moc"
