#include "sms/ui/TReceive.h"

#include "settings/Lang.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

TReceive::TReceive(const ReceivedSms& message, const Sender& sender, QWidget* parent)
    : QWidget(parent)
    , m_message(message)
    , m_sender(sender)
    , m_from(sender.name)
    , m_date(QLocale().toString(message.when, QLocale::ShortFormat))
    , m_received(message.sender)
    , m_normalised(sender.normalised)
    , m_reply(Lang::_("Reply"))
    , m_close(Lang::_("Close"))
{
    setWindowTitle(Lang::_("Received SMS"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_text.setPlainText(QString(message.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_text.setReadOnly(true);

    auto* fields = new QFormLayout;
    fields->addRow(Lang::_("From:"), &m_from);
    fields->addRow(Lang::_("Date:"), &m_date);
    fields->addRow(Lang::_("Nr:"), &m_received);
    fields->addRow(Lang::_("Number translate:"), &m_normalised);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(&m_reply);
    buttons->addWidget(&m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(&m_text);
    layout->addLayout(buttons);

    connect(&m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(&m_reply, &QPushButton::clicked, this, [this] {
        emit replyRequested(replyNumber(), m_sender.name);
        close();
    });
}

QString TReceive::replyNumber() const
{
    return m_sender.normalised.isEmpty() ? m_message.sender : m_sender.normalised;
}
