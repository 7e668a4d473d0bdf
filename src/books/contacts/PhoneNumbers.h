#pragma once

#include <QString>

namespace PhoneNumbers {

// The stored form of a number as typed: blanks, dashes, brackets and letters go, digits and "*", "#", "/", "|"
// stay. A leading "+" marks an international number: with the home country code (Sms/SmsKier) it becomes a
// national number, with a "0" in front when addCountryZero (Sms/SmsAddCountry) is set; with any other code "00"
// takes the place of the "+". The result holds no "+", so normalising it again changes nothing.
QString normalise(const QString& text, const QString& countryCode, bool addCountryZero);

// True for the characters a stored number may hold.
bool isNumberCharacter(QChar character);

} // namespace PhoneNumbers
