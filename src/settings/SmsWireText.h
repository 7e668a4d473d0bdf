#pragma once

#include <QString>

// The form in which the PBX carries names and SMS texts: a line break is the two characters '\' 'n' and a
// backslash is doubled. For Polish-speaking users the PBX keeps these texts in code page 852, while the link
// decodes every line as Windows-1250; the conversion between the two happens here.
namespace SmsWireText {

// wire as the link decoded it from Windows-1250. A line break comes out as CR LF, as the SMS windows hold it;
// a backslash followed by anything but 'n' or another backslash, and a lone one at the end, stay as they are.
// With polish the result is re-read as code page 852.
QString decode(const QString& wire, bool polish);

// The inverse of decode(): CR LF, and a lone CR or LF, become '\' 'n'. With polish, characters that code page 852
// cannot hold become '?'.
QString encode(const QString& text, bool polish);

} // namespace SmsWireText
