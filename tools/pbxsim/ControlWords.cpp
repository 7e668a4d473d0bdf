#include "pbxsim/ControlWords.h"

namespace pbxsim {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

ControlWords::ControlWords(const QString& line)
    : m_line(line)
{
    qsizetype i = 0;
    while (i < m_line.size()) {
        while (i < m_line.size() && isBlank(m_line[i])) {
            ++i;
        }
        const qsizetype start = i;
        while (i < m_line.size() && !isBlank(m_line[i])) {
            ++i;
        }
        if (i > start) {
            m_words.append(Word{start, i - start});
        }
    }
}

QString ControlWords::at(qsizetype index) const
{
    if (index < 0 || index >= m_words.size()) {
        return {};
    }
    return m_line.mid(m_words[index].start, m_words[index].length);
}

QString ControlWords::restFrom(qsizetype index) const
{
    if (index < 0 || index >= m_words.size()) {
        return {};
    }
    qsizetype end = m_line.size();
    while (end > 0 && isBlank(m_line[end - 1])) {
        --end;
    }
    return m_line.mid(m_words[index].start, end - m_words[index].start);
}

} // namespace pbxsim
