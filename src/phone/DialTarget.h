#pragma once

#include <QString>

// The number of a "dial" request from the command line or another program: a plain number or an address of the
// tervop:, tel: or callto: kind.
namespace DialTarget {

// The number as written, in dial characters (digits, * and #) after a "+" that only the first character may be:
// "tel:+48-22-555-01-02" gives "+48225550102", ready for the books' normalisation; any other "+" is dropped.
// Parameters after ";" or "?" are left out; a text with no number in it gives "".
QString numberOf(const QString& target);

} // namespace DialTarget
