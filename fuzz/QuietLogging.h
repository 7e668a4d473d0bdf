#pragma once

#include <QLoggingCategory>

// Malformed inputs are the common case while fuzzing; logging each one would only slow the run down.
inline void silenceProgramLogging()
{
    static const bool silenced = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("tervo.*=false"));
        return true;
    }();
    Q_UNUSED(silenced);
}
