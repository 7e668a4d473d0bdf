#pragma once

#include <QString>

// A number written in international form, "+" and then only digits, spaces, "#" and "|", gets "00" in place of
// the "+", as the exchange dials it. Any other text, a lone "+" included, comes back unchanged.
QString normaliseInternationalPrefix(const QString& number);
