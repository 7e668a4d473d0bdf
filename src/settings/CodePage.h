#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Conversions between QString and the single-byte Windows-1250 code page, which the PBX and the files of the
// Windows generation of this client use. Text is converted only at those edges.
namespace CodePage {

QString fromWindows1250(QByteArrayView bytes);

// Characters that Windows-1250 cannot hold become '?'.
QByteArray toWindows1250(QStringView text);

// One character; '?' when it has no Windows-1250 byte.
char toWindows1250(QChar character);

bool isValidUtf8(QByteArrayView bytes);

// Files may come from either generation of the client: UTF-8 when the bytes are valid UTF-8 (a leading byte-order
// mark is dropped), Windows-1250 otherwise.
QString fromUtf8OrWindows1250(QByteArrayView bytes);

} // namespace CodePage
