#pragma once

#include <QString>

// What the telephone window's entry line holds: a number to dial or a name to look up.
namespace EntryText {

// The longest text the entry line takes from the clipboard.
inline constexpr int MaxLength = 80;

// The characters the exchange dials: 0-9, +, * and #.
bool isDialCharacter(QChar c);

// True for a non-empty text made only of digits, spaces and * # / | ( ) + -.
bool isNumber(const QString& text);

// Only the dial characters: "(0 12) 345-67" gives "01234567", a name gives "".
QString dialDigits(const QString& text);

// What the exchange is asked to dial for a written number: an international number's "+" becomes "00" (as a paste
// does), then only the dial characters stay, and a "+" that is left means nothing to the exchange:
// "+48 (22) 555-01-02" gives "0048225550102".
QString dialNumber(const QString& text);

struct Pasted {
    QString text;
    bool isName = false;
};

// What a paste puts into the entry line: a text beginning with a letter is a name, kept as it is (its first line);
// any other keeps only the characters of a written number, with a leading "+" turned into "00".
Pasted fromClipboard(const QString& clipboard);

} // namespace EntryText
