#pragma once

#include <QString>

// "Start application when windows start" on a Linux desktop: an XDG autostart entry
// ($XDG_CONFIG_HOME/autostart/norvel-tervo.desktop) that runs this executable, written when the setting is on
// and removed when it is off.
class AutostartEntry final {
public:
    static constexpr char16_t FileName[] = u"norvel-tervo.desktop";

    AutostartEntry(QString executablePath, QString configHome);

    QString path() const;
    QString text() const;
    // False when the entry could not be written or removed (the reason is logged).
    bool apply(bool startWithSession);

private:
    QString m_executablePath;
    QString m_configHome;
};
