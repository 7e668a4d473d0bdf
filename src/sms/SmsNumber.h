#pragma once

#include <QString>

// Recipient numbers of SMS messages.
namespace SmsNumber {

// The number field takes digits, "+" and "*" only.
bool isValidEntry(const QString& number);

// The form the history keeps, with the home country code (Sms/SmsKier, e.g. "48"): a number with the home code
// becomes national, one with another code gets "00" in place of "+", a national one loses its leading "0", and
// with addCountryZero (Sms/SmsAddCountry) a national number gets "0" in front. Numbers starting with "*" stay.
QString normalise(const QString& number, const QString& countryCode, bool addCountryZero);

// The relative validity-period code of the chosen period (Sms/SmsPeriod: 3 hours, 12 hours, a day, a week, a
// month, a year); 0 for anything else.
int validityCode(const QString& period);

} // namespace SmsNumber
