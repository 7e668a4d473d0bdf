#include "app/SmsComposeTestDriver.h"

#include "sms/GateLink.h"
#include "sms/ui/SmsWindowList.h"
#include "sms/ui/TSMSfrWindow.h"

#include <QDebug>

std::unique_ptr<SmsComposeTestDriver> SmsComposeTestDriver::fromEnvironment(GateLink& link, SmsWindowList& windows)
{
    const QStringList numbers = qEnvironmentVariable("TERVO_TEST_SMS_TO").split(u',', Qt::SkipEmptyParts);
    if (numbers.isEmpty()) {
        return nullptr;
    }
    qInfo().noquote() << "[sms-test] driver active for" << numbers.join(u',');
    return std::make_unique<SmsComposeTestDriver>(link, windows, numbers, qEnvironmentVariable("TERVO_TEST_SMS_TEXT"));
}

SmsComposeTestDriver::SmsComposeTestDriver(GateLink& link, SmsWindowList& windows, QStringList numbers, QString text)
    : m_link(link)
    , m_windows(windows)
    , m_numbers(std::move(numbers))
    , m_text(std::move(text))
{
    connect(&m_poll, &QTimer::timeout, this, &SmsComposeTestDriver::poll);
    m_poll.start(PollMs);
}

void SmsComposeTestDriver::poll()
{
    if (!m_sent && m_link.isLoggedIn()) {
        compose();
    }
    printChanges();
}

void SmsComposeTestDriver::compose()
{
    m_sent = true;
    m_window = m_windows.openCompose();
    if (m_window.isNull()) {
        qInfo().noquote() << "[sms-test] no compose window";
        return;
    }
    for (const QString& number : std::as_const(m_numbers)) {
        m_window->numberField().setText(number);
        m_window->addButton().click();
    }
    m_window->textField().setPlainText(m_text);
    m_window->sendButton().click();
    qInfo().noquote() << "[sms-test] sent" << m_window->counter().text();
}

void SmsComposeTestDriver::printChanges()
{
    if (m_window.isNull()) {
        return;
    }
    const QTableWidget& list = m_window->recipientList();
    QStringList rows;
    for (int row = 0; row < list.rowCount(); ++row) {
        rows.append(list.item(row, 1)->text() + QStringLiteral(": ") + list.item(row, 2)->text());
    }
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (i >= m_printed.size() || m_printed.at(i) != rows.at(i)) {
            qInfo().noquote() << "[sms-test]" << rows.at(i);
        }
    }
    m_printed = rows;
}
