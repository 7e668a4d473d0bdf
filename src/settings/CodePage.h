#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Conversions between QString and the single-byte code pages the PBX uses: Windows-1250, which it and the files
// of the Windows generation of this client use, and code page 852 (DOS Latin 2), in which it carries names and SMS
// texts for Polish-speaking users. Text is converted only at those edges.
namespace CodePage {

QString fromWindows1250(QByteArrayView bytes);

// Characters that Windows-1250 cannot hold become '?'.
QByteArray toWindows1250(QStringView text);

// One character; '?' when it has no Windows-1250 byte.
char toWindows1250(QChar character);

QString fromCp852(QByteArrayView bytes);

// Characters that code page 852 cannot hold become '?'.
QByteArray toCp852(QStringView text);

bool isValidUtf8(QByteArrayView bytes);

// Files may come from either generation of the client: UTF-8 when the bytes are valid UTF-8 (a leading byte-order
// mark is dropped), Windows-1250 otherwise.
QString fromUtf8OrWindows1250(QByteArrayView bytes);

} // namespace CodePage
