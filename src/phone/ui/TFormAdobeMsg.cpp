#include "phone/ui/TFormAdobeMsg.h"

#include "settings/Const.h"
#include "settings/Lang.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

constexpr int DocumentSize = 56;

// A page with a folded corner, a few lines of text and a red band marked PDF.
QPixmap documentPicture(qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(DocumentSize, DocumentSize) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF page(9.5, 3.5, 38, 49);
    const qreal fold = 11;
    QPainterPath sheet;
    sheet.moveTo(page.topLeft());
    sheet.lineTo(page.right() - fold, page.top());
    sheet.lineTo(page.right(), page.top() + fold);
    sheet.lineTo(page.bottomRight());
    sheet.lineTo(page.bottomLeft());
    sheet.closeSubpath();
    painter.setPen(QPen(QColor(0x6b, 0x76, 0x82), 1));
    painter.setBrush(QColor(0xfb, 0xfc, 0xfd));
    painter.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(page.right() - fold, page.top());
    corner.lineTo(page.right() - fold, page.top() + fold);
    corner.lineTo(page.right(), page.top() + fold);
    painter.setBrush(QColor(0xd5, 0xdb, 0xe1));
    painter.drawPath(corner);

    painter.setPen(QPen(QColor(0xb4, 0xbc, 0xc5), 2, Qt::SolidLine, Qt::RoundCap));
    for (const qreal y : {14.0, 20.0, 26.0}) {
        painter.drawLine(QPointF(page.left() + 6, y), QPointF(page.right() - (y < 15 ? fold + 3 : 6), y));
    }

    const QRectF band(4, 32, 40, 15);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xd6, 0x2f, 0x2f));
    painter.drawRoundedRect(band, 3, 3);
    QFont font = QGuiApplication::font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(band, Qt::AlignCenter, QStringLiteral("PDF"));
    return pixmap;
}

QLabel* createLabel(const QString& objectName, const QString& text)
{
    auto* label = new QLabel(text);
    label->setObjectName(objectName);
    label->setWordWrap(true);
    return label;
}

} // namespace

QUrl TFormAdobeMsg::readerUrl()
{
    return QUrl(QStringLiteral("https://packages.debian.org/stable/evince"));
}

TFormAdobeMsg::TFormAdobeMsg(UrlOpener openUrl, QWidget* parent)
    : QDialog(parent)
    , m_openUrl(std::move(openUrl))
{
    setObjectName(QStringLiteral("TFormAdobeMsg"));
    setWindowTitle(QString::fromUtf8(Const::ApplicationTitle));

    auto* image = new QLabel;
    image->setObjectName(QStringLiteral("ImageDocument"));
    image->setPixmap(documentPicture(qApp->devicePixelRatio()));
    image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    QLabel* caption = createLabel(QStringLiteral("LabelCaption"), Lang::_("The manual could not be opened."));
    QLabel* boldCaption =
        createLabel(QStringLiteral("LabelBoldCaption"), Lang::_("A PDF reader is needed to read it."));
    QFont bold = boldCaption->font();
    bold.setBold(true);
    boldCaption->setFont(bold);
    QLabel* link = createLabel(QStringLiteral("LabelLink"), QStringLiteral("<a href=\"%1\">%2</a>")
                                                                .arg(readerUrl().toString(QUrl::FullyEncoded),
                                                                     Lang::_("Get a PDF reader").toHtmlEscaped()));
    link->setTextFormat(Qt::RichText);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setOpenExternalLinks(false);
    connect(link, &QLabel::linkActivated, this, [this](const QString& target) { m_openUrl(QUrl(target)); });

    auto* texts = new QVBoxLayout;
    texts->addWidget(caption);
    texts->addWidget(boldCaption);
    texts->addSpacing(6);
    texts->addWidget(link);
    texts->addStretch();
    auto* message = new QHBoxLayout;
    message->addWidget(image);
    message->addSpacing(8);
    message->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addWidget(buttons);
    setMinimumWidth(340);
}
