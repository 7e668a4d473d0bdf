#include "app/SmsAssembly.h"

#include "books/database/TdbCore.h"
#include "phone/TelephoneWindowLogic.h"
#include "phone/ui/TMainForm.h"
#include "settings/Clock.h"
#include "settings/Lang.h"
#include "settings/SettingsStore.h"
#include "sms/ui/TReceive.h"

#include <QDebug>
#include <QInputDialog>
#include <QMessageBox>
#include <QRandomGenerator>

SmsAssembly::SmsAssembly(SettingsStore& settings, TdbCore& books, TMainForm& form, TelephoneWindowLogic& window)
    : m_settings(settings.record())
    , m_form(form)
    , m_window(window)
    , m_gate(settings.record(), m_texts, [](int bound) { return QRandomGenerator::global()->bounded(bound); })
    , m_rows(books)
    , m_bookNumbers(books, settings.record())
    , m_newContact(books, settings.record(),
                   {[](const QString& number) {
                        return QInputDialog::getText(nullptr, Lang::_("Add to a phone book"),
                                                     Lang::_("Name:") + u' ' + number);
                    },
                    [](const QString& caption, const QString& text) {
                        QMessageBox::warning(nullptr, caption, text);
                    }})
    , m_history(settings.record(), m_rows, Clock::system())
    , m_reception([this](const ReceivedSms& message) { deliver(message); }, [] { return QDateTime::currentDateTime(); })
    , m_windows(settings.record(), m_gate.link(),
                {[&books](const QString& number) { return books.nameForNumber(number); },
                 [this](const QString& number) { return m_history.normalised(number); },
                 [] { return QTime::currentTime(); }, &m_bookNumbers, &m_newContact})
    , m_console(m_gate.link())
    , m_playback(QStringLiteral("default"), [](const QString& line) { qWarning().noquote() << line; })
    , m_sound(settings.record(), m_playback,
              {[this](int milliseconds) { m_soundRepeat.start(milliseconds); },
               [this] {
                   m_soundRepeat.stop();
               }},
              [](const QString& line) { qWarning().noquote() << line; })
{
    QObject::connect(&m_soundRepeat, &QTimer::timeout, &m_soundRepeat, [this] { m_sound.repeatTimerFired(); });
    QObject::connect(&m_gate, &TToSMS::consoleWritten, &m_console, &SmsConsoleWindow::write);
    QObject::connect(&m_gate, &TToSMS::statusUpdated, &m_console, &SmsConsoleWindow::showStatus);
    QObject::connect(&m_gate, &TToSMS::consoleWritten, &m_gate,
                     [](const QString& line, GateColour) { qInfo().noquote() << "[sms]" << line; });
    QObject::connect(&m_gate, &TToSMS::userMessage, &m_window,
                     [this](const QString& text) { m_window.showNotice(text, text, true); });
    QObject::connect(&m_gate, &TToSMS::centreAnswer, &m_gate,
                     [this](const GateLines::CentreAnswer& answer, const QString& number, const QString& text) {
                         m_history.centreAnswered(answer, number, text);
                     });
    QObject::connect(&m_gate, &TToSMS::deliveryReport, &m_gate, [this](const GateLines::DeliveryReport& report) {
        m_history.deliveryReported(report);
        m_windows.showReport(report);
    });
    QObject::connect(&m_gate, &TToSMS::incomingSegment, &m_gate,
                     [this](const GateLines::IncomingSegment& segment) { m_reception.take(segment); });
    QObject::connect(&m_windows, &SmsWindowList::tooManyWindows, &m_window,
                     [this](const QString& text) { m_window.showNotice(text, text, true); });
    QObject::connect(&m_form.smsTray(), &AnimatedTrayIcon::clicked, &m_form, [this] {
        m_form.smsTray().setVisible(false);
        m_sound.userLooked();
    });
}

void SmsAssembly::playSample(const SmsNotification::Choice& choice)
{
    m_sound.playSample(choice);
}

void SmsAssembly::showConsole()
{
    m_console.show();
    m_console.raise();
    m_console.activateWindow();
}

void SmsAssembly::followSettings()
{
    QStringList current = m_gate.link().loginSettings();
    if (current != m_loginSettings) {
        m_loginSettings = std::move(current);
        m_gate.link().connectToServer();
    }
}

void SmsAssembly::start()
{
    m_loginSettings = m_gate.link().loginSettings();
    m_testDriver = SmsComposeTestDriver::fromEnvironment(m_gate.link(), m_windows);
    m_gate.start(firstAttemptMs());
}

// TERVO_SMS_FIRST_CONNECT_MS shortens the half minute before the first attempt, for the tests that run the built
// client against the stand-in; nothing else sets it.
int SmsAssembly::firstAttemptMs()
{
    const QString configured = qEnvironmentVariable("TERVO_SMS_FIRST_CONNECT_MS");
    if (configured.isEmpty()) {
        return GateLink::FirstAttemptMs;
    }
    bool valid = false;
    const int milliseconds = configured.toInt(&valid);
    if (!valid || milliseconds < 0 || milliseconds > GateLink::FirstAttemptMs) {
        qWarning().noquote() << "TERVO_SMS_FIRST_CONNECT_MS ignored: not a number of milliseconds from 0 to"
                             << GateLink::FirstAttemptMs;
        return GateLink::FirstAttemptMs;
    }
    return milliseconds;
}

void SmsAssembly::shutDown()
{
    m_reception.flush();
    m_gate.link().disconnect();
}

void SmsAssembly::deliver(const ReceivedSms& message)
{
    m_history.messageReceived(message.when, message.reference, message.sender, message.text);
    qInfo().noquote() << "[sms] received from" << message.sender << (message.complete ? "" : "(incomplete)");
    if (m_settings.Sms.ShowIncoming) {
        if (TReceive* window = m_windows.showReceived(message)) {
            QObject::connect(window, &QObject::destroyed, &m_soundRepeat, [this] { m_sound.userLooked(); });
        }
    }
    signalNewMessage(message);
}

void SmsAssembly::signalNewMessage(const ReceivedSms& message)
{
    const QString number = m_history.normalised(message.sender);
    m_form.smsTray().setHint(Lang::_("New SMS from") + u' ' + (number.isEmpty() ? message.sender : number));
    m_form.smsTray().setVisible(true);
    m_sound.messageArrived();
}
