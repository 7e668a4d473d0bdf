#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

// The phone-book names of the history's numbers, each asked of the books once: the grid asks again for every row
// it paints, and the name search for every number of the history.
class HistoryNames final {
public:
    using Lookup = std::function<QString(const QString& number)>;

    explicit HistoryNames(Lookup lookup);

    // The name of the number's contact; "" when no book knows it.
    QString name(const QString& number);
    // The books changed: every name is asked again.
    void forget() { m_names.clear(); }

private:
    Lookup m_lookup;
    QHash<QString, QString> m_names;
};
