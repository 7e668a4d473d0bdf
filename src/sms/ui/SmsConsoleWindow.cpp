#include "sms/ui/SmsConsoleWindow.h"

#include "settings/Lang.h"
#include "sms/GateLink.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QSaveFile>
#include <QVBoxLayout>

namespace {

QColor colour(GateColour colour)
{
    return QColor::fromRgb(QRgb(colour));
}

} // namespace

SmsConsoleWindow::SmsConsoleWindow(GateLink& link, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_link(link)
    , m_on(Lang::_("ON"))
    , m_off(Lang::_("OFF"))
    , m_cls(Lang::_("CLS"))
    , m_save(Lang::_("Save LOG"))
{
    setObjectName(QStringLiteral("TToSMS"));
    setWindowTitle(Lang::_("SMS console"));
    m_view.setObjectName(QStringLiteral("ConsolRichEdit"));
    m_view.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view.setUniformItemSizes(true);
    QPalette palette = m_view.palette();
    palette.setColor(QPalette::Base, Qt::black);
    m_view.setPalette(palette);
    m_on.setObjectName(QStringLiteral("ConnOn"));
    m_off.setObjectName(QStringLiteral("ConnOff"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(&m_on);
    buttons->addWidget(&m_off);
    buttons->addWidget(&m_cls);
    buttons->addWidget(&m_status, 1);
    buttons->addWidget(&m_save);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&m_view, 1);
    layout->addLayout(buttons);
    resize(560, 360);

    connect(&m_on, &QPushButton::clicked, this, [this] { m_link.connectToServer(); });
    connect(&m_off, &QPushButton::clicked, this, [this] { m_link.disconnect(); });
    connect(&m_cls, &QPushButton::clicked, &m_view, &QListWidget::clear);
    connect(&m_save, &QPushButton::clicked, this, &SmsConsoleWindow::saveLog);
    showStatus(m_link.statusText(), m_link.statusColour());
}

// The link masks its lines already; masking again here keeps the PIN out even of a line that came another way.
void SmsConsoleWindow::write(const QString& line, GateColour lineColour)
{
    while (m_view.count() >= MaxLines) {
        delete m_view.takeItem(0);
    }
    auto* item = new QListWidgetItem(GateLink::masked(line), &m_view);
    item->setForeground(colour(lineColour));
    m_view.scrollToBottom();
}

void SmsConsoleWindow::showStatus(const QString& text, GateColour statusColour)
{
    m_status.setText(text);
    QPalette palette = m_status.palette();
    palette.setColor(QPalette::WindowText, colour(statusColour));
    m_status.setPalette(palette);
}

QStringList SmsConsoleWindow::lines() const
{
    QStringList result;
    for (int i = 0; i < m_view.count(); ++i) {
        result.append(m_view.item(i)->text());
    }
    return result;
}

QColor SmsConsoleWindow::colourOf(int line) const
{
    const QListWidgetItem* item = m_view.item(line);
    return item != nullptr ? item->foreground().color() : QColor();
}

// A save that fails half-way leaves the earlier file as it was; the copy is for its owner only, as the traffic
// names the numbers messages went to.
bool SmsConsoleWindow::saveTo(const QString& path, QString* error) const
{
    QSaveFile file(path);
    QByteArray text;
    for (const QString& line : lines()) {
        text += GateLink::masked(line).toUtf8() + '\n';
    }
    const bool saved = file.open(QIODevice::WriteOnly) &&
                       file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
                       file.write(text) == text.size() && file.commit();
    if (!saved && error != nullptr) {
        *error = file.errorString();
    }
    return saved;
}

void SmsConsoleWindow::saveLog()
{
    const QString target = m_chooseSaveTarget ? m_chooseSaveTarget() : chooseSaveTarget();
    if (target.isEmpty()) {
        return;
    }
    QString error;
    if (!saveTo(target, &error)) {
        QMessageBox::critical(this, windowTitle(), Lang::_("Cannot save the SMS log to \"%1\": %2").arg(target, error));
    }
}

QString SmsConsoleWindow::chooseSaveTarget()
{
    return QFileDialog::getSaveFileName(this, Lang::_("Save LOG"), QString(),
                                        Lang::_("Log files (*.log)") + QStringLiteral(";;") + Lang::_("All files (*)"));
}
