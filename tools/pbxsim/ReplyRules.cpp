#include "pbxsim/ReplyRules.h"

namespace pbxsim {

QString ReplyRules::normaliseWord(const QString& word)
{
    if (word.size() > 1 && word[0] == u'a' && word[1].isUpper()) {
        return word.mid(1).toUpper();
    }
    return word.toUpper();
}

void ReplyRules::set(const QString& word, const QString& reply, int count)
{
    m_rules.insert(normaliseWord(word), Rule{reply, count < 0 ? Always : count});
}

void ReplyRules::remove(const QString& word)
{
    m_rules.remove(normaliseWord(word));
}

void ReplyRules::clear()
{
    m_rules.clear();
}

std::optional<QString> ReplyRules::take(const QString& word)
{
    const auto it = m_rules.find(normaliseWord(word));
    if (it == m_rules.end()) {
        return std::nullopt;
    }
    const QString reply = it->reply;
    if (it->remaining != Always && --it->remaining <= 0) {
        m_rules.erase(it);
    }
    return reply;
}

QStringList ReplyRules::describe() const
{
    QStringList entries;
    for (auto it = m_rules.cbegin(); it != m_rules.cend(); ++it) {
        const QString count = it->remaining == Always ? QStringLiteral("always") : QString::number(it->remaining);
        entries.append(it.key() + QLatin1Char(' ') + it->reply + QLatin1Char(' ') + count);
    }
    entries.sort();
    return entries;
}

} // namespace pbxsim
