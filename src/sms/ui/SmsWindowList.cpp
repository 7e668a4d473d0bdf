#include "sms/ui/SmsWindowList.h"

#include "settings/Lang.h"
#include "sms/ui/TReceive.h"
#include "sms/ui/TSMSfrWindow.h"

namespace {

QString outcomeText(GateLines::DeliveryReport::Outcome outcome)
{
    using Outcome = GateLines::DeliveryReport::Outcome;
    switch (outcome) {
    case Outcome::Delivered:
        return Lang::_("Sms has been delivered to receiver");
    case Outcome::Failed:
        return Lang::_("Sms delivering error");
    case Outcome::Unknown:
        break;
    }
    return Lang::_("Unknown SMSR command");
}

// Takes a window out of its list when it goes.
template <typename Window>
void forgetOnDestruction(QList<Window*>& list, Window* window, QObject* context)
{
    QObject::connect(window, &QObject::destroyed, context, [&list, window] { list.removeOne(window); });
}

} // namespace

SmsWindowList::SmsWindowList(const SettingsRecord& settings, GateLink& link, Services services, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_link(link)
    , m_services(std::move(services))
{
}

SmsWindowList::~SmsWindowList()
{
    // Each window leaves its list as it goes; the lists are emptied first so that none changes while it is read.
    const QList<TSMSfrWindow*> compose = std::exchange(m_compose, {});
    const QList<TReceive*> received = std::exchange(m_received, {});
    qDeleteAll(compose);
    qDeleteAll(received);
}

TSMSfrWindow* SmsWindowList::openCompose(const QString& name, const QString& number)
{
    if (m_compose.size() >= MaxComposeWindows) {
        emit tooManyWindows(Lang::_("At most 10 SMS windows can be open at once."));
        return nullptr;
    }
    auto* window = new TSMSfrWindow(m_settings, m_link, m_services.books);
    window->setContactPort(m_services.contacts);
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_compose.append(window);
    forgetOnDestruction(m_compose, window, this);
    if (!number.isEmpty()) {
        window->setRecipient(name, number);
    }
    window->show();
    return window;
}

TReceive* SmsWindowList::showReceived(const ReceivedSms& message)
{
    const QString normalised = m_services.normalise(message.sender);
    const QString name = m_services.nameOf(normalised.isEmpty() ? message.sender : normalised);
    auto* window = new TReceive(message, {name, normalised});
    m_received.append(window);
    forgetOnDestruction(m_received, window, this);
    connect(window, &TReceive::replyRequested, this,
            [this](const QString& number, const QString& sender) { openCompose(sender, number); });
    window->showNormal();
    window->raise();
    window->activateWindow();
    return window;
}

void SmsWindowList::showReport(const GateLines::DeliveryReport& report)
{
    const QString text = Lang::_("Report:") + u' ' + m_services.now().toString(QStringLiteral("h:mm.ss")) + u' ' +
                         outcomeText(report.outcome);
    for (TSMSfrWindow* window : std::as_const(m_compose)) {
        if (window->showForReference(report.reference, text)) {
            return;
        }
    }
}
