#include "phone/CallerNaming.h"

#include "pbxlink/calls/CallerId.h"
#include "phone/WindowBookPort.h"
#include "settings/Lang.h"
#include "settings/SettingsRecord.h"

#include <QtGlobal>
#include <array>

namespace {

QString labelled(const char* label, const QString& text)
{
    return Lang::_(label) + u' ' + text;
}

// The kinds of the five numbers of a phone-book entry, by position.
constexpr std::array<const char*, 5> NumberKinds = {QT_TR_NOOP("exten."), QT_TR_NOOP("company"), QT_TR_NOOP("home"),
                                                    QT_TR_NOOP("mobile"), QT_TR_NOOP("other")};

} // namespace

QString CallerNaming::numberKind(int position)
{
    if (position < 1 || position > static_cast<int>(NumberKinds.size())) {
        return {};
    }
    return Lang::_(NumberKinds[static_cast<std::size_t>(position - 1)]);
}

CallerNaming::CallerNaming(const SettingsRecord& settings, WindowBookPort& books)
    : m_settings(settings)
    , m_books(books)
{
}

CallerNaming::IncomingLabels CallerNaming::incoming(const QString& caller, const QString& called,
                                                    const QString& exchangeName) const
{
    IncomingLabels labels;
    labels.callerNumber = CallerId::withoutFlashMark(caller);
    labels.hint = labelled(QT_TR_NOOP("From:"), labels.callerNumber);
    const QString calledNumber = CallerId::withoutFlashMark(called);
    if (!calledNumber.isEmpty()) {
        labels.calledText = labelled(QT_TR_NOOP("To:"), party(calledNumber));
    }
    QString name = labels.callerNumber.isEmpty() ? QString() : m_books.nameForNumber(labels.callerNumber);
    if (name.isEmpty()) {
        const QString sent = CallerId::usableName(m_settings, exchangeName);
        name = sent.isEmpty() ? labels.callerNumber : sent;
    }
    labels.name = name;
    labels.text = labelled(QT_TR_NOOP("From:"), name);
    labels.trayHint = labelled(QT_TR_NOOP("Calling:"), name);
    return labels;
}

QString CallerNaming::dialled(const QString& number, const QString& name) const
{
    return labelled(QT_TR_NOOP("To:"), name.isEmpty() ? CallerId::withoutFlashMark(number) : name);
}

QString CallerNaming::party(const QString& number) const
{
    const QString plain = CallerId::withoutFlashMark(number);
    const QString name = plain.isEmpty() ? QString() : m_books.nameForNumber(plain);
    return name.isEmpty() ? plain : name;
}
