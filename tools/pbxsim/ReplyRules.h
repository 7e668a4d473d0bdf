#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace pbxsim {

// Replies forced on chosen commands: a rule makes the next COUNT commands with a given word (or all of them)
// answer a fixed reply such as "aNA 4" or "aERROR" instead of being carried out.
class ReplyRules final {
public:
    static constexpr int Always = -1;

    // "aDIAL", "DIAL" and "dial" all name the same command: "DIAL".
    static QString normaliseWord(const QString& word);

    void set(const QString& word, const QString& reply, int count);
    void remove(const QString& word);
    void clear();
    // The forced reply for a command word, using up one of its count; nothing when no rule applies.
    std::optional<QString> take(const QString& word);
    // One "WORD reply count" entry per rule, sorted.
    QStringList describe() const;

private:
    struct Rule {
        QString reply;
        int remaining = Always;
    };

    QHash<QString, Rule> m_rules;
};

} // namespace pbxsim
