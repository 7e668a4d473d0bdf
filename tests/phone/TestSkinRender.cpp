// Renders the telephone window in its typical looks at 1x and 2x and the tray icons, saves the pictures for a
// person to look at, and checks that each picture shows something and that the looks can be told apart.
#include "phone/ui/StateIconArt.h"
#include "phone/ui/TLittleForm.h"
#include "phone/ui/TrayIconArt.h"
#include "settings/Lang.h"
#include "support/RenderFolder.h"

#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTest>
#include <functional>

namespace {

struct Look {
    const char* name;
    std::function<void(TLittleForm&)> apply;
};

const QList<Look>& looks()
{
    static const QList<Look> all{
        {"idle",
         [](TLittleForm& form) {
             form.setAreaText(QStringLiteral("Missed: 2"));
             form.setShowText({}, {});
             form.setStateIcon(StateIcon::Idle);
         }},
        {"ringing",
         [](TLittleForm& form) {
             form.setShowText(QStringLiteral("From: Jan Kowalski"), QStringLiteral("From: 600123456"));
             form.setStateIcon(StateIcon::Ringing);
         }},
        {"connected",
         [](TLittleForm& form) {
             form.setShowText(QStringLiteral("Jan Kowalski"), {});
             form.setInfoLabel(QStringLiteral("1:05"));
             form.setStateIcon(StateIcon::Connected);
             form.setRecording(true);
         }},
        {"disconnected",
         [](TLittleForm& form) {
             form.setAreaText(QStringLiteral("No connection...(Ctrl+K)"));
             form.setStateIcon(StateIcon::Disconnected);
             for (const SkinButton button :
                  {SkinButton::Park, SkinButton::Fwd, SkinButton::Flash, SkinButton::Conference, SkinButton::OK,
                   SkinButton::Redial, SkinButton::Esc, SkinButton::Rec}) {
                 form.setButtonEnabled(button, false);
             }
         }},
    };
    return all;
}

QImage renderAt2x(TLittleForm& form)
{
    QImage image(form.size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::transparent);
    form.render(&image);
    return image;
}

struct Renders {
    QImage normal;
    QImage doubled;
};

Renders render(const Look& look)
{
    TLittleForm form;
    look.apply(form);
    return {form.grab().toImage(), renderAt2x(form)};
}

int distinctColours(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return int(colours.size());
}

// The same picture: equal size and equal pixels, whatever the formats.
bool samePixels(const QImage& a, const QImage& b)
{
    return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

QImage stateIconPicture(StateIcon icon, int frame = 0)
{
    QImage image(36, 36, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    StateIconArt::paint(painter, QRectF(0, 0, 36, 36), icon, frame);
    return image;
}

// A pixmap at every tray size, showing something at 32 pixels.
bool isComplete(const QIcon& icon)
{
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        if (!icon.availableSizes().contains(QSize(size, size))) {
            return false;
        }
    }
    return distinctColours(icon.pixmap(32, 32).toImage()) > 4;
}

} // namespace

class TestSkinRender final : public QObject {
    Q_OBJECT

private slots:
    void looksRenderAtBothPixelRatios_data()
    {
        QTest::addColumn<int>("look");
        for (int i = 0; i < looks().size(); ++i) {
            QTest::newRow(looks()[i].name) << i;
        }
    }

    void looksRenderAtBothPixelRatios()
    {
        QFETCH(int, look);
        const Renders pictures = render(looks()[look]);
        QCOMPARE(pictures.normal.size(), QSize(239, 118));
        QCOMPARE(pictures.doubled.size(), QSize(478, 236));
        QVERIFY(distinctColours(pictures.normal) > 40);
        QVERIFY(distinctColours(pictures.doubled) > 40);
        // The body is opaque; only the rounded corners are see-through.
        QCOMPARE(qAlpha(pictures.normal.pixel(120, 60)), 255);
        QCOMPARE(qAlpha(pictures.normal.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(pictures.doubled.pixel(0, 0)), 0);

        const QString base = renderFolder() + QStringLiteral("/skin-") + QString::fromLatin1(looks()[look].name);
        QVERIFY(pictures.normal.save(base + QStringLiteral(".png")));
        QVERIFY(pictures.doubled.save(base + QStringLiteral("@2x.png")));
    }

    void looksDifferPairwise()
    {
        QList<Renders> pictures;
        for (const Look& look : looks()) {
            pictures << render(look);
        }
        for (int a = 0; a < pictures.size(); ++a) {
            for (int b = a + 1; b < pictures.size(); ++b) {
                QVERIFY2(!samePixels(pictures[a].normal, pictures[b].normal), looks()[b].name);
                QVERIFY2(!samePixels(pictures[a].doubled, pictures[b].doubled), looks()[b].name);
            }
        }
    }

    void drawnTextChangesThePicture()
    {
        const Renders idle = render(looks().first());
        const Renders renamed = render({"idle", [](TLittleForm& form) {
                                            looks().first().apply(form);
                                            form.setAreaText(QStringLiteral("Missed: 7"));
                                        }});
        QVERIFY(!samePixels(idle.normal, renamed.normal));
        QVERIFY(!samePixels(idle.doubled, renamed.doubled));
        QVERIFY(samePixels(idle.normal, render(looks().first()).normal));
    }

    // The idle display as the client shows it once logged in: the missed calls beside the status, in each language.
    void missedCountStaysWholeBesideTheStatus_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Polish") << QStringLiteral("pl");
        QTest::newRow("Croatian") << QStringLiteral("cr");
        QTest::newRow("English") << QStringLiteral("en");
    }

    void missedCountStaysWholeBesideTheStatus()
    {
        QFETCH(QString, language);
        Lang::useLanguage(language);
        const QString status = Lang::_("Connected to server");
        const auto missed = [](int count) {
            return Lang::_("Missed:") + u' ' + QString::number(count);
        };
        const QFontMetrics metrics(SkinLayout::font(SkinLayout::Text::Area));
        for (const int count : {1, 7, 1234}) {
            const SkinPainter::AreaLine line =
                SkinPainter::fitAreaLine(metrics, SkinLayout::areaLineRect().width(), missed(count), status);
            QCOMPARE(line.area, missed(count));
        }
        // Drawn at 1x, one missed call and seven are two pictures: the count is there to be seen.
        const auto idleWith = [&](int count) {
            return render({"idle", [&](TLittleForm& form) {
                               form.setAreaText(missed(count));
                               form.setInfoLabel(status);
                               form.setStateIcon(StateIcon::Idle);
                           }});
        };
        const Renders one = idleWith(1);
        QVERIFY(!samePixels(one.normal, idleWith(7).normal));
        QVERIFY(one.normal.save(renderFolder() + QStringLiteral("/skin-idle-") + language + QStringLiteral(".png")));
        Lang::useLanguage(QStringLiteral("en"));
    }

    void everyStateIconAndConnectingFrameIsItsOwnPicture()
    {
        QList<QImage> pictures;
        for (const StateIcon icon :
             {StateIcon::Idle, StateIcon::NumberReady, StateIcon::OffHook, StateIcon::Dialling, StateIcon::Ringing,
              StateIcon::Connected, StateIcon::Held, StateIcon::Disconnected}) {
            pictures << stateIconPicture(icon);
        }
        for (int frame = 0; frame < StateIconArt::ConnectingFrames; ++frame) {
            pictures << stateIconPicture(StateIcon::Connecting, frame);
        }
        for (int a = 0; a < pictures.size(); ++a) {
            QVERIFY(distinctColours(pictures[a]) > 8);
            for (int b = a + 1; b < pictures.size(); ++b) {
                QVERIFY2(pictures[a] != pictures[b], qPrintable(QStringLiteral("%1 and %2").arg(a).arg(b)));
            }
        }
    }

    // All lists side by side at 32 pixels, each list on its own row, the SMS envelope last.
    void trayIconsHaveEveryFrameAtEverySize()
    {
        const QList<TrayIconList> lists{TrayIconList::Static, TrayIconList::FlashGreen, TrayIconList::FlashRed,
                                        TrayIconList::FlashGrey, TrayIconList::Connecting};
        const QList<int> counts{3, 2, 2, 2, 4};
        QImage sheet(4 * 36, (lists.size() + 1) * 36, QImage::Format_ARGB32_Premultiplied);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        const auto place = [&](const QIcon& icon, int row, int column) {
            const QImage picture = icon.pixmap(32, 32).toImage();
            painter.drawImage(column * 36 + 2, row * 36 + 2, picture);
            return picture;
        };
        for (int row = 0; row < lists.size(); ++row) {
            QCOMPARE(TrayIconArt::frameCount(lists[row]), counts[row]);
            QList<QImage> frames;
            for (int frame = 0; frame < counts[row]; ++frame) {
                const QIcon icon = TrayIconArt::icon(lists[row], frame);
                QVERIFY(isComplete(icon));
                frames << place(icon, row, frame);
            }
            for (int frame = 1; frame < frames.size(); ++frame) {
                QVERIFY(frames[frame] != frames[frame - 1]);
            }
            QVERIFY(TrayIconArt::icon(lists[row], counts[row]).isNull());
        }
        QVERIFY(isComplete(TrayIconArt::smsIcon(0)) && isComplete(TrayIconArt::smsIcon(1)));
        const QImage sms = place(TrayIconArt::smsIcon(0), int(lists.size()), 0);
        QVERIFY(place(TrayIconArt::smsIcon(1), int(lists.size()), 1) != sms);
        painter.end();
        QVERIFY(sheet.save(renderFolder() + QStringLiteral("/tray-icons.png")));
    }
};

QTEST_MAIN(TestSkinRender)
#include "TestSkinRender.moc"
