#include "app/TracingTelephoneView.h"

#include "pbxlink/calls/CallState.h"
#include "phone/TelephoneWindowLogic.h"

#include <QRegularExpression>
#include <QTextStream>

TracingTelephoneView::TracingTelephoneView(TelephoneView& shown, bool printing)
    : m_shown(shown)
    , m_printing(printing)
{
}

void TracingTelephoneView::follow(TelephoneWindowLogic& window)
{
    if (!m_printing) {
        return;
    }
    QObject::connect(&window, &TelephoneWindowLogic::stateApplied, &window,
                     [previous = std::optional<WindowState>()](WindowState state) mutable {
                         if (state != previous) {
                             // The number, as the checks that read this output expect.
                             QTextStream(stdout) << "[state] " << static_cast<int>(state) << Qt::endl;
                         }
                         previous = state;
                     });
}

void TracingTelephoneView::print(const char* what, const QString& text, QString& last)
{
    // Only changes are printed, so the output reads like what the user saw change.
    if (m_printing && text != last) {
        QTextStream(stdout) << '[' << what << "] " << text << Qt::endl;
    }
    last = text;
}

void TracingTelephoneView::setAreaText(const QString& text)
{
    print("area", text, m_area);
    m_shown.setAreaText(text);
}

void TracingTelephoneView::setShowText(const QString& text, const QString& hint)
{
    print("text", text, m_text);
    m_shown.setShowText(text, hint);
}

void TracingTelephoneView::setInfoText(const QString& text)
{
    // The call's running duration (and its charge) would fill the output; it is left out.
    static const QRegularExpression duration(QStringLiteral("^\\d+:\\d\\d( |$)"));
    if (!duration.match(text).hasMatch()) {
        print("info", text, m_info);
    }
    m_shown.setInfoText(text);
}

void TracingTelephoneView::setEntryText(const QString& text)
{
    print("entry", text, m_entry);
    m_shown.setEntryText(text);
}

void TracingTelephoneView::setFeatureFlags(const FeatureStatus& status)
{
    const auto flag = [](const char* name, bool on) {
        return QLatin1String(name) + (on ? u'+' : u'-');
    };
    const QString features = flag("forwarding", status.forwarding) + u' ' + flag("dnd", status.doNotDisturb) + u' ' +
                             flag("lock", status.locked);
    print("features", features, m_features);
    m_shown.setFeatureFlags(status);
}

void TracingTelephoneView::setTrayHint(const QString& hint)
{
    print("tray", hint, m_trayHint);
    m_shown.setTrayHint(hint);
}

void TracingTelephoneView::inform(const QString& text)
{
    QString last;
    print("message", text, last);
    m_shown.inform(text);
}
