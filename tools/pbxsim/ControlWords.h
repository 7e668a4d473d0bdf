#pragma once

#include <QList>
#include <QString>

namespace pbxsim {

// A control line cut into words at spaces and tabs, keeping the original text so that a command's free text
// ("aoc 21 0,40 PLN") can be taken from a word to the end of the line with its inner spacing intact.
class ControlWords final {
public:
    explicit ControlWords(const QString& line);

    qsizetype count() const { return m_words.size(); }
    // The word at index, empty past the end.
    QString at(qsizetype index) const;
    // The text from the word at index to the end of the line, trailing blanks removed; empty past the end.
    QString restFrom(qsizetype index) const;

private:
    struct Word {
        qsizetype start;
        qsizetype length;
    };

    QString m_line;
    QList<Word> m_words;
};

} // namespace pbxsim
