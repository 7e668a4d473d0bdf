#pragma once

#include <QString>
#include <QStringList>

// The client as the user's handler of "tervop:" links (and, when the user asks, of "tel:" and "callto:"): a
// desktop entry in $XDG_DATA_HOME/applications that runs the executable with "dial" and the link, declared for
// the three schemes, and made the default of its schemes through xdg-mime where it is installed, else in
// $XDG_CONFIG_HOME/mimeapps.list. Each start writes only what differs.
class SchemeHandlerEntry final {
public:
    static constexpr char16_t DesktopId[] = u"norvel-tervo.desktop";
    static constexpr char16_t OwnScheme[] = u"x-scheme-handler/tervop";

    // xdgMime: the xdg-mime program, or empty to edit mimeapps.list directly.
    SchemeHandlerEntry(QString executablePath, QString dataHome, QString configHome, QString xdgMime = {});

    QString entryPath() const;
    QString entryText() const;
    // The entry written when it differs, then the defaults: tervop always, tel and callto only when asked, since
    // they may belong to another program. False when a step failed (the reason is logged).
    bool registerHandler(bool claimTelLinks);
    // The schemes' default as the desktop sees it now; empty when there is none.
    QString defaultFor(const QString& mimeType) const;

private:
    bool makeDefault(const QString& mimeType);
    QString runXdgMime(const QStringList& arguments, bool* ok) const;

    QString m_executablePath;
    QString m_dataHome;
    QString m_configHome;
    QString m_xdgMime;
};
