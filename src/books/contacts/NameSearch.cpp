#include "books/contacts/NameSearch.h"

#include "books/contacts/DiacriticFolding.h"
#include "books/contacts/NameIndex.h"
#include "books/database/SqlEngine.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

// The trigram tokenizer cannot look for less than three characters.
constexpr int ShortestIndexedText = 3;

QString phrase(QString text)
{
    return u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString likeEscaped(QString text)
{
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'%', QStringLiteral("\\%"));
    text.replace(u'_', QStringLiteral("\\_"));
    return text;
}

} // namespace

NameSearch::NameSearch(QSqlDatabase database, int mode, bool ignoreDiacritics, const QString& language)
    : m_database(std::move(database))
    , m_filter(mode, ignoreDiacritics, language)
    , m_foldedIsExact(ignoreDiacritics && DiacriticFolding::appliesTo(language))
    , m_indexed(NameIndex::hasSubstringIndex(m_database))
{
}

std::optional<QList<int>> NameSearch::matching(const QString& searchText)
{
    m_filter.setSearchText(searchText);
    if (!m_filter.judges()) {
        return collect({QStringLiteral("SELECT ID, Nazwa FROM Book2"), {}}, false);
    }
    // Folding both sides can only join names, never part them, so the folded match holds every name that passes;
    // without folding the names it found are judged again.
    std::optional<QList<int>> found =
        collect(candidates(m_filter.effectiveMode(), NameIndex::searchForm(searchText)), !m_foldedIsExact);
    const std::optional<QList<int>> unfolded = collect({unfoldedRows(), {}}, true);
    if (!found || !unfolded) {
        return std::nullopt;
    }
    found->append(*unfolded);
    return found;
}

std::optional<QList<int>> NameSearch::scanning(const QString& searchText)
{
    m_filter.setSearchText(searchText);
    return collect({QStringLiteral("SELECT ID, Nazwa FROM Book2"), {}}, m_filter.judges());
}

NameSearch::Query NameSearch::candidates(NameFilter::Mode mode, const QString& folded) const
{
    const QString name = m_foldedIsExact ? QStringLiteral("NULL") : QStringLiteral("Nazwa");
    const bool wordStart = mode == NameFilter::Mode::WordStart;
    const SqlEngine engine = SqlEngines::of(m_database);
    if (engine == SqlEngine::Sqlite && m_indexed && folded.size() >= ShortestIndexedText) {
        QString expression = mode == NameFilter::Mode::Substring ? phrase(folded) : u'^' + phrase(folded);
        if (wordStart) {
            expression += QStringLiteral(" OR ") + phrase(u' ' + folded);
        }
        const QString statement =
            m_foldedIsExact
                ? QStringLiteral("SELECT rowid, NULL FROM Book2Szuk WHERE Book2Szuk MATCH ?")
                : QStringLiteral("SELECT Book2.ID, Book2.Nazwa FROM Book2Szuk JOIN Book2 ON Book2.ID = Book2Szuk.rowid "
                                 "WHERE Book2Szuk MATCH ?");
        return {statement, {expression}};
    }
    if (engine == SqlEngine::Postgres) {
        // LIKE is what the trigram index answers.
        const QString escaped = likeEscaped(folded);
        const QString like = QStringLiteral("NazwaSzuk LIKE ? ESCAPE '\\'");
        if (mode == NameFilter::Mode::Substring) {
            return {QStringLiteral("SELECT ID, %1 FROM Book2 WHERE %2").arg(name, like), {u'%' + escaped + u'%'}};
        }
        if (!wordStart) {
            return {QStringLiteral("SELECT ID, %1 FROM Book2 WHERE %2").arg(name, like), {escaped + u'%'}};
        }
        return {QStringLiteral("SELECT ID, %1 FROM Book2 WHERE %2 OR %2").arg(name, like),
                {escaped + u'%', QStringLiteral("% ") + escaped + u'%'}};
    }
    // SQLite without the index, or a text too short for it: one pass over the column, character by character.
    const auto length = static_cast<qsizetype>(folded.toUcs4().size());
    if (mode == NameFilter::Mode::Substring) {
        return {QStringLiteral("SELECT ID, %1 FROM Book2 WHERE instr(NazwaSzuk, ?) > 0").arg(name), {folded}};
    }
    if (!wordStart) {
        return {QStringLiteral("SELECT ID, %1 FROM Book2 WHERE substr(NazwaSzuk, 1, ?) = ?").arg(name),
                {length, folded}};
    }
    return {QStringLiteral("SELECT ID, %1 FROM Book2 WHERE substr(NazwaSzuk, 1, ?) = ? OR instr(NazwaSzuk, ?) > 0")
                .arg(name),
            {length, folded, u' ' + folded}};
}

QString NameSearch::unfoldedRows()
{
    return QStringLiteral("SELECT ID, Nazwa FROM Book2 WHERE NazwaSzuk IS NULL");
}

std::optional<QList<int>> NameSearch::collect(const Query& query, bool judgeNames)
{
    QSqlQuery rows(m_database);
    SqlEngines::readOnceThrough(rows, m_database);
    if (!rows.prepare(query.statement)) {
        return std::nullopt;
    }
    for (int i = 0; i < query.values.size(); ++i) {
        rows.bindValue(i, query.values[i]);
    }
    if (!rows.exec()) {
        return std::nullopt;
    }
    QList<int> ids;
    while (rows.next()) {
        if (!judgeNames || m_filter.passes(rows.value(1).toString())) {
            ids.append(rows.value(0).toInt());
        }
    }
    return ids;
}
