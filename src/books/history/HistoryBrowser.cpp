#include "books/history/HistoryBrowser.h"

#include "books/contacts/NameFilter.h"
#include "books/database/TdbCore.h"
#include "books/history/HistoryMarks.h"
#include "settings/Clock.h"
#include "settings/Lang.h"
#include "settings/SettingsRecord.h"

HistoryBrowser::HistoryBrowser(TdbCore& books, SettingsRecord& settings, Clock& clock, QObject* parent)
    : QObject(parent)
    , m_books(books)
    , m_settings(settings)
    , m_clock(clock)
    , m_model({[this] { return database(); }, [&books](const QString& number) { return books.nameForNumber(number); },
               [&clock] { return clock.now().date(); }, Lang::_("Unknown")})
{
    m_model.setDateStyle(m_settings.Ogolne.HistData, QLocale(Lang::currentLanguage()));
    connect(&books, &TdbCore::historyEntryAdded, this,
            [this](int entryId, const QDateTime&, const QString& number) { m_model.entryAdded(entryId, number); });
    connect(&books, &TdbCore::historyEntryChanged, this,
            [this](int entryId, const QString& number) { m_model.entryAdded(entryId, number); });
    connect(&books, &TdbCore::historyReopened, this, [this] { m_model.historyChanged(); });
    connect(&books, &TdbCore::booksChanged, this, [this] { m_model.forgetNames(); });
    select();
}

HistoryDatabase* HistoryBrowser::database()
{
    return m_books.historyDatabase();
}

int& HistoryBrowser::setting(Filter filter) const
{
    switch (filter) {
    case Filter::Date:
        return m_settings.Historia.FiltrWgDaty;
    case Filter::Conversation:
        return m_settings.Historia.FiltrWgRozm;
    case Filter::Number:
        return m_settings.Historia.FiltrWgNr;
    case Filter::Kind:
        break;
    }
    return m_settings.Historia.FiltrWgTypu;
}

int HistoryBrowser::filter(Filter filter) const
{
    return setting(filter);
}

void HistoryBrowser::setFilter(Filter filter, int index)
{
    setting(filter) = index;
    select();
}

bool HistoryBrowser::setNumberSearch(const QString& text)
{
    if (!HistorySelection::isValidNumberText(text)) {
        return false;
    }
    m_numberText = text;
    select();
    return true;
}

void HistoryBrowser::setNameSearch(const QString& text)
{
    m_nameText = text;
    select();
}

void HistoryBrowser::showAll()
{
    for (const Filter filter : {Filter::Date, Filter::Conversation, Filter::Number, Filter::Kind}) {
        setting(filter) = 0;
    }
    m_numberText.clear();
    m_nameText.clear();
    select();
}

void HistoryBrowser::setDateStyle(int style)
{
    m_settings.Ogolne.HistData = style;
    m_model.setDateStyle(style, QLocale(Lang::currentLanguage()));
}

void HistoryBrowser::select()
{
    HistorySelection selection;
    selection.filters = {m_settings.Historia.FiltrWgDaty, m_settings.Historia.FiltrWgTypu,
                         m_settings.Historia.FiltrWgNr, m_settings.Historia.FiltrWgRozm};
    const bool byName = !m_nameText.trimmed().isEmpty();
    if (!m_numberText.isEmpty() || byName) {
        // Names come from the books, so the numbers of the names that match are found there: a number stored with
        // an outgoing prefix is named, and found, as the grid names it.
        NameFilter names(m_settings.Ksiazka.SzukajNazw, m_settings.Ksiazka.IgnorujPolskieZnaki,
                         Lang::currentLanguage());
        names.setSearchText(m_nameText);
        selection.numbers = m_model.numbersWhere([this, &names, byName](const QString& number) {
            if (!HistorySelection::numberHolds(number, m_numberText)) {
                return false;
            }
            if (!byName) {
                return true;
            }
            const QString name = m_model.nameOf(number);
            return !name.isEmpty() && names.passes(name);
        });
    }
    m_model.setSelection(selection);
}

void HistoryBrowser::markAllSeen()
{
    HistoryDatabase* history = database();
    if (history == nullptr) {
        return;
    }
    // The rows read before the marks keep their bold for this look at them; the next one shows them seen.
    m_model.reload();
    if (HistoryMarks(*history).markAllSeen()) {
        emit seenMarked();
    }
}

QString HistoryBrowser::viewSms(const HistoryEntry& entry)
{
    HistorySideTables* texts = m_books.historySideTables();
    HistoryDatabase* history = database();
    if (texts == nullptr || history == nullptr || entry.smsTextId <= 0) {
        return {};
    }
    if (entry.bold && HistoryMarks(*history).markSeen(entry.id)) {
        m_model.entryAdded(entry.id, entry.number);
    }
    return texts->text(HistorySideTables::Table::SmsTexts, entry.smsTextId);
}

bool HistoryBrowser::setArchived(const QList<int>& entryIds, bool archived)
{
    HistoryDatabase* history = database();
    if (history == nullptr) {
        return false;
    }
    const bool done = HistoryMarks(*history).setArchived(entryIds, archived);
    m_model.reload();
    return done;
}

int HistoryBrowser::deleteEntries(const QList<int>& entryIds)
{
    const int deleted = m_books.deleteHistoryEntries(entryIds);
    m_model.historyChanged();
    return deleted;
}

bool HistoryBrowser::deleteAll()
{
    const bool done = m_books.clearHistory();
    m_model.historyChanged();
    return done;
}
