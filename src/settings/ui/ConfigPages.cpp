#include "settings/ui/ConfigPages.h"

#include "settings/Lang.h"
#include "settings/ui/ServerAddressEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

using Lang::_;

namespace {

constexpr int PinLength = 4;
constexpr int AreaCodeLength = 3;
constexpr int GateChoices = 64;

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// Lays out one page from top to bottom.
class PageBuilder final {
public:
    explicit PageBuilder(QWidget* page)
        : m_page(page)
        , m_layout(new QVBoxLayout(page))
        , m_form(nullptr)
    {
    }

    QCheckBox* check(const char* name, const QString& caption, QLayout* into = nullptr)
    {
        auto* box = named(new QCheckBox(caption, m_page), name);
        add(box, into);
        return box;
    }

    QLineEdit* text(const char* name, const QString& caption, int maxLength = 0, bool secret = false)
    {
        auto* edit = named(new QLineEdit(m_page), name);
        if (maxLength > 0) {
            edit->setMaxLength(maxLength);
        }
        if (secret) {
            edit->setEchoMode(QLineEdit::Password);
        }
        row(caption, edit);
        return edit;
    }

    QSpinBox* number(const char* name, int minimum, int maximum, const QString& suffix = {})
    {
        auto* spin = named(new QSpinBox(m_page), name);
        spin->setRange(minimum, maximum);
        if (!suffix.isEmpty()) {
            spin->setSuffix(u' ' + suffix);
        }
        return spin;
    }

    QComboBox* combo(const char* name, const QString& caption, const QStringList& items)
    {
        auto* box = named(new QComboBox(m_page), name);
        box->addItems(items);
        row(caption, box);
        return box;
    }

    // A group box of radio buttons whose checked button's index is the value.
    QGroupBox* radios(const char* name, const QString& caption, const QStringList& items)
    {
        auto* group = named(new QGroupBox(caption, m_page), name);
        auto* layout = new QVBoxLayout(group);
        for (const QString& item : items) {
            layout->addWidget(new QRadioButton(item, group));
        }
        m_form = nullptr;
        m_layout->addWidget(group);
        return group;
    }

    // A group box of other controls; its layout is where they go.
    QVBoxLayout* group(const QString& caption)
    {
        auto* group = new QGroupBox(caption, m_page);
        m_form = nullptr;
        m_layout->addWidget(group);
        return new QVBoxLayout(group);
    }

    // A check box followed on its line by another control (and a word after it).
    void checkWith(const char* name, const QString& caption, QWidget* control, const QString& after = {})
    {
        auto* line = new QHBoxLayout;
        line->addWidget(named(new QCheckBox(caption, m_page), name));
        line->addWidget(control);
        if (!after.isEmpty()) {
            line->addWidget(new QLabel(after, m_page));
        }
        line->addStretch();
        m_form = nullptr;
        m_layout->addLayout(line);
    }

    void row(const QString& caption, QWidget* control)
    {
        if (m_form == nullptr) {
            m_form = new QFormLayout;
            m_layout->addLayout(m_form);
        }
        m_form->addRow(caption, control);
    }

    QPushButton* button(const char* name, const QString& caption)
    {
        auto* line = new QHBoxLayout;
        auto* button = named(new QPushButton(caption, m_page), name);
        line->addWidget(button);
        line->addStretch();
        m_form = nullptr;
        m_layout->addLayout(line);
        return button;
    }

    QLabel* label(const char* name, const QString& caption = {})
    {
        auto* label = named(new QLabel(caption, m_page), name);
        label->setWordWrap(true);
        add(label, nullptr);
        return label;
    }

    void finish() { m_layout->addStretch(); }

private:
    void add(QWidget* widget, QLayout* into)
    {
        if (into != nullptr) {
            into->addWidget(widget);
            return;
        }
        m_form = nullptr;
        m_layout->addWidget(widget);
    }

    QWidget* m_page;
    QVBoxLayout* m_layout;
    QFormLayout* m_form;
};

QStringList hotKeys()
{
    QStringList keys;
    for (int digit = 0; digit <= 9; ++digit) {
        keys.append(QStringLiteral("Ctrl + Alt + %1").arg(digit));
    }
    keys << QStringLiteral("Ctrl + Alt + *") << QStringLiteral("ScrollLock") << QStringLiteral("PrintScreen");
    return keys;
}

void general(PageBuilder& page)
{
    QVBoxLayout* open = page.group(_("Open the phone window on:"));
    page.check("PhoneBox", _("call"), open);
    page.check("RingBox", _("ringing"), open);
    page.check("PickUpBox", _("handset up"), open);
    page.check("IconClickBox", _("icon click"), open);
    QVBoxLayout* close = page.group(_("Close the phone window on:"));
    page.check("HangUpBox", _("Handset on hook"), close);
    page.check("RingOverBox", _("Ringing end"), close);
    page.check("ClickOffBox", _("icon click"), close);
    page.check("EscAskBox", _("Warn before call disconnection"));
    page.check("ShowCallToBox", _("Show information about dialled number by caller"));
    page.check("ShowHintBox", _("Show hints"));
    page.check("ShowAreaBox", _("Show information about dialed number"));
    page.check("ZoomBox", _("Zoom phone window"));
    page.check("SplashBox", _("Show splash screen"));
    page.check("ShowIncomPbxCmt", _("Use comment from exchange for unknown originator"));
    page.check("AutostartBox", _("Start application when windows start"));
    auto* keys = named(new QComboBox, "HotKeyCombo");
    keys->addItems(hotKeys());
    page.checkWith("HotKeyBox", _("Close and open the window by pressing:"), keys);
    page.checkWith("IdentificationBox", _("Show identifier"), named(new QLineEdit, "IdentificationEdit"));
    page.check("TapiOffBox", _("Take call requests from other programs"));
    page.check("TelLinksBox", _("Open tel: and callto: links with this program"));
}

void network(PageBuilder& page)
{
    page.text("CustomPhoneNrEdit", _("Phone number:"));
    page.text("CustomKeyEdit", _("PIN code:"), PinLength, true);
    page.row(_("Server address:"), named(new ServerAddressEdit, "EditAddrIP"));
    page.check("SaveCustomKeyBox", _("Save PIN code"));
    page.check("KeyringBox", _("Keep PIN codes and passwords in the desktop's keyring"));
    page.check("SearchForServerBox", _("Find LAN server"));
    page.check("NetPopupBox", _("Inform about network failure in popup window"));
    page.check("SpeedDialBox", _("Dial numbers in the speed-dial form (ended with #)"));
    page.button("ConnectButton", _("Connect to server"));
    page.label("ConnectionStatusLabel");
}

void book(PageBuilder& page)
{
    page.text("PrivateBookEdit", _("Private:"));
    page.text("GlobalBookEdit", _("Public:"));
    QVBoxLayout* prefix = page.group(_("Outgoing prefix:"));
    auto* prefixes = new QFormLayout;
    prefixes->addRow(_("Basic:"), named(new QLineEdit, "OutsideNr1Edit"));
    prefixes->addRow(_("Additional"), named(new QLineEdit, "OutsideNr2Edit"));
    prefix->addLayout(prefixes);
    page.check("HotLineBox", _("Direct access to PSTN"));
    page.radios("BookPriorityRadio", _("Identify the numbers starting from:"),
                {_("Private phone book"), _("Public phone book")});
    page.check("AutoAddNewBox", _("Add the new numbers automatlically on:"));
    page.radios("AutoAddNewRadio", QString(), {_("ringing "), _("incoming call")});
    page.row(_("Automatically ringing service "), page.number("AutoFwdTimeEdit", 0, 3600, _("seconds")));
    page.button("SearchOptionsButton", _("Search options"));
}

void notes(PageBuilder& page)
{
    page.check("OpenNotesBox", _("Notes are opened for: "));
    page.radios("OpenNotesRadio", QString(),
                {_("ringing"), _("incoming call"), _("outgoing call"), _("incoming and outgoing call")});
}

void history(PageBuilder& page)
{
    page.row(_("Maximum call list in history"), page.number("HisDelAftEdit", 1, 1000000));
    page.text("HistoryPathEdit", _("Conversation logs folder:"));
    QVBoxLayout* lost = page.group(_("Unanswered calls:"));
    page.check("LostTextInfoBox", _("Information on display"), lost);
    page.check("LostIconInfoBox", _("Animated icon at systray"), lost);
    page.check("LostHistoryInfoBox", _("Default history display after pressing at icon in systray"), lost);
    page.radios("HistoryDateFormatGroup", _("Date format"),
                {_("shortly (01.28 15:33)"), _("with description (28 January 15:33)")});
    page.check("AccToHistoryBox", _("Save to history information about services and number with #"));
    page.button("DeleteHistoryButton", _("Delete history"));
}

void transfer(PageBuilder& page)
{
    page.check("PTBox", _("Forward"));
    page.text("PTNumberEdit", _("Forward the calls to the number:"));
    QGroupBox* when =
        page.radios("PutTRadio", QString(),
                    {_("unconditional"), _("when unanswered by"), _("when busy"), _("when DND ( Do not disturb )")});
    auto* rings = new QHBoxLayout;
    rings->addSpacing(24);
    rings->addWidget(page.number("SecondsEdit", 1, 99));
    rings->addWidget(new QLabel(_("ringings")));
    rings->addStretch();
    static_cast<QVBoxLayout*>(when->layout())->insertLayout(2, rings);
    page.radios("PutTCallRadio", _("Calls:"), {_("all"), _("internal"), _("incoming direct"), _("incoming anounced")});
    page.check("PutTAskBox", _("Don't show setup after pressing Forward button"));
    page.check("AutoFWDBox", _("Automatically turn on the call rerouting after quit application"));
    page.checkWith("IdleFwdBox", _("Forward calls automatically after"), page.number("IdleFwdTimeEdit", 1, 71999),
                   _("minutes"));
}

void lock(PageBuilder& page)
{
    page.check("LockBox", _("Lock"));
    page.text("SecureNrEdit", _("Lock PIN:"), PinLength, true);
    page.check("SecurePhoneBox", _("Auto lock after closing application"));
    page.check("SaveSecureNrBox", _("Save PIN code for lock"));
}

void accounts(PageBuilder& page)
{
    page.check("AccOnBox", _("Account:"));
    page.text("AccNrEdit", _("Account number"));
    page.text("AccKeyEdit", _("PIN code"), PinLength, true);
    page.check("SaveAccBox", _("Save account setting"));
    page.check("AutoAccOffBox", _("Turn off the account access automatically"));
}

void audioNotes(PageBuilder& page)
{
    page.check("VNoteUseBox", _("Apply audio notes"));
    page.text("VNoteDirEdit", _("Audio notes: "));
    page.radios("VNoteSourceRadio", _("Recordings source:"),
                {_("Local recording"), _("Exchange embedded recording (EbdRec)")});
    page.combo("VNoteRecDevice", _("Sound device:"), {});
    page.combo("VNoteRecMode", _("Recording mode"), {_("all calls"), _("post recording"), _("recording")});
    page.button("VNoteDiagButton", _("Configure"));
}

void sms(PageBuilder& page)
{
    page.check("SMSBox", _("Apply short message service "));
    QStringList gates(QString{});
    for (int gate = 1; gate <= GateChoices; ++gate) {
        gates.append(QString::number(gate));
    }
    page.combo("SMSTranslationCBox", _("ID of the GSM gate."), gates);
    page.text("SMSPasswdEdit", _("PIN"), PinLength, true);
    page.combo("SMSperiod", _("Valid period"),
               {_("3 hours"), _("12 hours"), _("1 day"), _("1 week"), _("1 month"), _("1 year")});
    page.text("ed_kierunk", _("International area code"), AreaCodeLength);
    page.radios("SMSSendReadRadio", QString(), {_("Send and read SMS"), _("Only send SMS")});
    page.check("SmsCountryPrefixBox", _("Force 0 prefix when add national number into history"));
    page.button("ButtonChangeComment", _("&Advanced"));
    page.row(_("Line number"), named(new QLabel, "SmsNumberLabel"));
    page.label("SmsStatusLabel");
}

void dnd(PageBuilder& page)
{
    page.check("DNDBox", _("Do not disturb"));
    page.checkWith("DNDIdle", _("DND automatically after "), page.number("EdIdleDNDTime", 1, 71999), _("minutes"));
    page.check("DNDClose", _("Auto DND after closing application"));
}

void smsEvents(PageBuilder& page)
{
    page.check("SmsEventOnCheckBox", _("Play sound on incomming SMS"));
    page.combo(
        "RepeatSoundComboBox", _("Repeat notification:"),
        {_("don't repeat"), _("every 10 seconds"), _("every 20 seconds"), _("every 30 seconds"), _("every minute")});
    page.combo("WaveSrcComboBox", _("Notification source:"), {_("program sounds"), _("user sound")});
    page.combo("RcWaveComboBox", _("Select notification:"), {_("short notification"), _("long notification")});
    page.text("CustomWaveEdit", _("File:"));
    page.label("CustomWaveMissingLabel", _("Selected file doesn't exist!"));
    page.button("PlayButton", _("Play"));
    page.check("ShowSmsCheckBox", _("Show window as soon as new SMS arrives"));
}

} // namespace

namespace ConfigPages {

std::vector<Page> build(QStackedWidget& stack)
{
    struct Definition {
        Page page;
        void (*fill)(PageBuilder&);
    };
    const std::vector<Definition> definitions{
        {{QStringLiteral("BehaveSheet"), {}, _("General")}, general},
        {{QStringLiteral("NetSheet"), {}, _("Network")}, network},
        {{QStringLiteral("BookSheet"), {}, _("Phone book")}, book},
        {{QStringLiteral("NotesSheet"), {}, _("Text notes")}, notes},
        {{QStringLiteral("HistorySheet"), {}, _("History")}, history},
        {{QStringLiteral("PTSheet"), {}, _("Transfer")}, transfer},
        {{QStringLiteral("SecureSheet"), {}, _("Lock")}, lock},
        {{QStringLiteral("AccSheet"), {}, _("Accounts")}, accounts},
        {{QStringLiteral("VoiceNoteSheet"), {}, _("Audio notes")}, audioNotes},
        {{QStringLiteral("SMSSheet"), {}, _("SMS")}, sms},
        {{QStringLiteral("EventsSheet"), QStringLiteral("SMSSheet"), _("Sounds")}, smsEvents},
        {{QStringLiteral("DNDSheet"), {}, _("DND")}, dnd},
    };
    std::vector<Page> pages;
    for (const Definition& definition : definitions) {
        auto* widget = new QWidget;
        widget->setObjectName(definition.page.name);
        PageBuilder builder(widget);
        definition.fill(builder);
        builder.finish();
        stack.addWidget(widget);
        pages.push_back(definition.page);
    }
    return pages;
}

} // namespace ConfigPages
