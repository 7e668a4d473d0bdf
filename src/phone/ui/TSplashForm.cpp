#include "phone/ui/TSplashForm.h"

#include "phone/ui/SkinPainter.h"
#include "phone/ui/StateIconArt.h"
#include "settings/Const.h"
#include "settings/Lang.h"

#include <QLabel>
#include <QPainter>

namespace {

const QRect DisplayArea(10, 24, TSplashForm::SplashWidth - 20, TSplashForm::SplashHeight - 34);
const QRect IconArea(24, 48, 76, 76);
const QRect TextArea(112, 44, 196, 84);

QLabel* createLabel(QWidget* parent, const QString& objectName, const QString& text, int pixels, QFont::Weight weight)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    QFont font = label->font();
    font.setPixelSize(pixels);
    font.setWeight(weight);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, SkinPainter::displayInk());
    label->setPalette(palette);
    label->setWordWrap(true);
    return label;
}

} // namespace

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TSplashForm"));
    setWindowTitle(QString::fromUtf8(Const::ApplicationTitle));
    setFixedSize(SplashWidth, SplashHeight);
    setAttribute(Qt::WA_TranslucentBackground);

    QLabel* name =
        createLabel(this, QStringLiteral("SplashLabel"), QString::fromUtf8(Const::ProductName), 18, QFont::Bold);
    QLabel* version = createLabel(this, QStringLiteral("VersionLabel"),
                                  Lang::_("Version") + u' ' + QString::fromUtf8(Const::Version), 12, QFont::Normal);
    name->setGeometry(TextArea.left(), TextArea.top(), TextArea.width(), 52);
    name->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    version->setGeometry(TextArea.left(), TextArea.top() + 58, TextArea.width(), 20);

    m_splashTimer.setObjectName(QStringLiteral("SplashTimer"));
    m_splashTimer.setSingleShot(true);
    m_splashTimer.setInterval(SplashMs);
    connect(&m_splashTimer, &QTimer::timeout, this, &TSplashForm::finish);
}

void TSplashForm::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    SkinPainter::paintCase(painter, rect());
    SkinPainter::paintBrand(painter, QRectF(16, 5, 80, 16));
    SkinPainter::paintDisplay(painter, DisplayArea);
    StateIconArt::paint(painter, IconArea, StateIcon::Idle);
}

void TSplashForm::showEvent(QShowEvent* event)
{
    if (!m_splashTimer.isActive()) {
        m_splashTimer.start();
    }
    QWidget::showEvent(event);
}

void TSplashForm::finish()
{
    hide();
    deleteLater();
}
