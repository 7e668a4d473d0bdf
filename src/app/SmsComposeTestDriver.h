#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <memory>

class GateLink;
class SmsWindowList;
class TSMSfrWindow;

// A test driver for the end-to-end tests of the built client, inert unless the environment names recipients:
// TERVO_TEST_SMS_TO (numbers separated by ",") and TERVO_TEST_SMS_TEXT. Once the gate link has logged in it opens a
// compose window, types the numbers and the text into it and presses Send, as a user would; then it prints every
// change of a recipient's status ("[sms-test] 600123456: Sms has been delivered to receiver") for the test to read.
class SmsComposeTestDriver final : public QObject {
    Q_OBJECT

public:
    static constexpr int PollMs = 200;

    // Null unless TERVO_TEST_SMS_TO is set.
    static std::unique_ptr<SmsComposeTestDriver> fromEnvironment(GateLink& link, SmsWindowList& windows);

    SmsComposeTestDriver(GateLink& link, SmsWindowList& windows, QStringList numbers, QString text);

private:
    void poll();
    void compose();
    void printChanges();

    GateLink& m_link;
    SmsWindowList& m_windows;
    QStringList m_numbers;
    QString m_text;
    QTimer m_poll;
    bool m_sent = false;
    QPointer<TSMSfrWindow> m_window;
    QStringList m_printed;
};
