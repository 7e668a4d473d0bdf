#pragma once

#include "app/LinkToWindow.h"
#include "app/ServicesTelephoneLine.h"
#include "books/contacts/PhoneNumbers.h"
#include "pbxlink/CallFakes.h"
#include "pbxlink/LinkHarness.h"
#include "pbxlink/calls/CallControl.h"
#include "phone/TelephoneView.h"
#include "phone/TelephoneWindowLogic.h"
#include "phone/WindowBookPort.h"

#include <QMap>

// Records what the window's logic shows.
class RecordingView final : public TelephoneView {
public:
    void setEnabledItems(MenuItems items) override { enabled = items; }
    void setStateIcon(StateIcon shown) override { icon = shown; }
    void setAreaText(const QString& text) override { area = text; }
    void setShowText(const QString& text, const QString& hint) override
    {
        showText = text;
        showHint = hint;
    }
    void setInfoText(const QString& text) override { info = text; }
    void setEntryText(const QString& text) override { entry = text; }
    void setEntryReadOnly(bool readOnly) override { entryReadOnly = readOnly; }
    void setFeatureFlags(const FeatureStatus& status) override { features = status; }
    void setRecording(bool on) override { recording = on; }
    void setTrayIcon(TrayIconList list, int index, bool animated) override
    {
        trayList = list;
        trayIndex = index;
        trayAnimated = animated;
    }
    void setTrayHint(const QString& hint) override { trayHint = hint; }
    void setTrayDefaultHistory(bool history) override { trayDefaultHistory = history; }
    void popUp() override { ++popUps; }
    bool ask(const QString& question) override
    {
        questions.append(question);
        return answer;
    }
    void inform(const QString& text) override { messages.append(text); }

    MenuItems enabled;
    StateIcon icon = StateIcon::Idle;
    QString area, showText, showHint, info, entry, trayHint;
    bool entryReadOnly = false;
    FeatureStatus features;
    bool recording = false;
    TrayIconList trayList = TrayIconList::Static;
    int trayIndex = -1;
    bool trayAnimated = false;
    bool trayDefaultHistory = false;
    int popUps = 0;
    QStringList questions;
    bool answer = true;
    QStringList messages;
};

// Phone-book entries by number and a count of unseen calls; numbers normalised as the books do at home in Poland.
class FixedWindowBooks final : public WindowBookPort {
public:
    QString normaliseNumber(const QString& number) const override
    {
        return PhoneNumbers::normalise(number, QStringLiteral("48"), addCountryZero);
    }
    QString nameForNumber(const QString& number) override
    {
        const auto found = entries.constFind(number);
        return found == entries.constEnd() ? QString() : found->name;
    }
    std::optional<ShownEntry> entryForNumber(const QString& number) override
    {
        const auto found = entries.constFind(number);
        return found == entries.constEnd() ? std::nullopt : std::optional<ShownEntry>(*found);
    }
    bool isOnline() const override { return online; }
    int unseenCalls() override { return unseen; }

    // An entry with number at position (1..5) and a second number beside it.
    void add(const QString& name, const QString& number, int position = 1, const QString& other = {})
    {
        ShownEntry entry;
        entry.name = name;
        entry.description = name + QStringLiteral(" (description)");
        entry.numbers[static_cast<std::size_t>(position - 1)] = number;
        if (!other.isEmpty()) {
            entry.numbers[static_cast<std::size_t>(position % 5)] = other;
        }
        entry.position = position;
        entries.insert(number, entry);
    }

    QMap<QString, ShownEntry> entries;
    bool addCountryZero = false;
    bool online = true;
    int unseen = 0;
};

// A logged-in link with a fake socket and recording ports for everything but the telephone window, which the
// derived harness brings.
class PhoneLinkHarness : public LinkHarness {
public:
    // The commands written since the last call, then forgotten.
    QStringList takeCommands()
    {
        const QStringList result = socket.commands();
        socket.written.clear();
        return result;
    }

    LinkPartners partners() { return LinkPartners{services, dialogs, history, names, recorder}; }

    FixedWindowBooks books;
    RecordingHistory history;
    FixedPhoneBook names;
    RecordingRecorder recorder;
    // Call tracking and the services tell the real window through these; the lifecycle keeps telling the
    // recording window.
    LinkNotices callNotices;
};

// The real telephone window's logic on that link: call tracking and the services drive it, and the commands it
// causes are recorded.
class WindowHarness : public PhoneLinkHarness {
public:
    WindowHarness()
        : calls(settings, dispatcher, lifecycle, callNotices, partners(), clock, {})
        , window(settings, books, view, TelephoneWindowLogic::LinkParts{line, calls.state(), calls.callTimer()})
    {
        LinkToWindow::connect(callNotices, window);
        connectAndLogIn();
        window.setState(WindowState::Idle);
        socket.written.clear();
    }

    RecordingView view;
    CallControl calls;
    ServicesTelephoneLine line{calls.services()};
    TelephoneWindowLogic window;
};
