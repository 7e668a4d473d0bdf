#pragma once

#include <QString>

// The number of a "dial" request from the command line or another program: a plain number or an address of the
// tervop:, tel: or callto: kind.
namespace DialTarget {

// The characters to dial (digits, +, * and #), with a leading "+" turned into "00": "tel:+48-22-555-01-02" gives
// "0048225550102"; any other "+" is dropped. Parameters after ";" or "?" are left out; a text with no number in it
// gives "".
QString numberOf(const QString& target);

} // namespace DialTarget
