#pragma once

#include "phone/WindowBookPort.h"

#include <QString>
#include <optional>

class TdbCore;
struct SettingsRecord;

// Names for numbers from the phone books, for the telephone window and the PBX link alike.
class BookNaming final {
public:
    BookNaming(TdbCore& books, const SettingsRecord& settings);

    // A number written in any way, in the form the books store numbers.
    QString normaliseNumber(const QString& number) const;
    // The contact that has the number (normalised first), the books asked in the order the settings give.
    std::optional<ShownEntry> entryForNumber(const QString& number);
    // That contact's name; "" when unknown.
    QString nameForNumber(const QString& number);
    // The name stored with the number as it stands, the private book asked before the public one; "" when
    // unknown. The link names dialled numbers and recordings this way.
    QString nameAsWritten(const QString& number);

private:
    TdbCore& m_books;
    const SettingsRecord& m_settings;
};
