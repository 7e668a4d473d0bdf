#pragma once

#include <QString>

struct SettingsRecord;

// What the exchange says of a caller: the number, which a leading "/" marks, and the name it keeps for the number.
class CallerId final {
public:
    static QString withoutFlashMark(const QString& number);
    // The exchange's name, trimmed, when the settings ask for the exchange's names; "" when it is not to be used
    // (the exchange sends "_" for no name).
    static QString usableName(const SettingsRecord& settings, const QString& sent);
};
