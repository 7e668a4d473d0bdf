#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Text rules of the PBX's computer-telephony protocol, shared by the sessions, the exchange model and the control
// language. The socket edge converts to and from Windows-1250; everything here is QString.
namespace pbxsim::WireText {

// Extension numbers and PINs travel padded on the right with '_' to four characters: "12" -> "12__".
QString padField(const QString& value);
QString unpadField(QStringView field);

// True for an extension number as the stand-in configures them: one to four digits.
bool isExtension(QStringView text);

// A party's number: 1 to 32 of 0-9, *, # and +.
bool isPhoneNumber(const QString& text);

// What aDIAL may carry: digits, '*', '#' and '/' (a flash).
bool isDialString(const QString& text);

// "a" + tag + " " + padded extension [+ " " + parameters], e.g. event("CONN", "21", "600") -> "aCONN 21__ 600".
QString event(const QString& tag, const QString& extension, const QString& parameters = {});

// The caller's name as the last field of a RING line: a backslash doubled, a line break written as the two
// characters '\' 'n'. The client reads that field up to the next space, so spaces (and other control characters)
// become no-break spaces (byte 0xA0 in Windows-1250): the name arrives whole and still shows its spaces.
QString encodeName(const QString& name);

// Control-language text: "\n" stands for a line break and "\\" for one backslash; any other backslash is kept.
QString decodeEscapes(const QString& text);

// The line with the PIN of aLOGI, aLOCK and aACC commands replaced by "****", for logging.
QString maskSecrets(const QString& line);

// Random bytes that include NUL, TAB, a lone CR, a lone LF and bytes of 128 and more; at least 8 bytes.
QByteArray garbage(int size);

} // namespace pbxsim::WireText
