#include "settings/SecretScrambler.h"

#include "settings/CodePage.h"

#include <array>

namespace SecretScrambler {

namespace {

// Each of the four characters is taken as its Windows-1250 byte and split into two nibbles. Every nibble is
// shifted by its own amount and written as a character of the carrier alphabet at a fixed position; the other
// eight positions hold filler characters computed from all the nibbles, so equal digits do not show as equal
// characters. Reading needs only the carriers.
constexpr std::array<char, 16> CarrierAlphabet = {'Q', 'm', '4', 'X', 'c', '8', 'T', 'a',
                                                  '2', 'V', 'k', '7', 'R', 'e', '5', 'H'};
constexpr std::array<char, 32> FillerAlphabet = {'b', 'd', 'f', 'h', 'j', 'n', 'p', 'q', 'r', 's', 't',
                                                 'w', 'x', 'y', 'z', 'B', 'D', 'F', 'G', 'J', 'L', 'M',
                                                 'N', 'P', 'S', 'W', 'Y', 'Z', '3', '6', '9', '0'};
constexpr int NibbleCount = SecretLength * 2;
constexpr std::array<int, NibbleCount> Shift = {11, 3, 14, 6, 9, 1, 12, 5};
constexpr std::array<int, NibbleCount> CarrierPosition = {1, 2, 4, 7, 9, 10, 13, 14};
constexpr std::array<int, NibbleCount> FillerPosition = {0, 3, 5, 6, 8, 11, 12, 15};

int carrierIndex(QChar character)
{
    for (std::size_t i = 0; i < CarrierAlphabet.size(); ++i) {
        if (character == QLatin1Char(CarrierAlphabet[i])) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

QString scramble(const QString& secret)
{
    if (secret.isEmpty()) {
        return {};
    }
    const QString padded = secret.leftJustified(SecretLength, u'_', true);
    const QByteArray bytes = CodePage::toWindows1250(padded);

    std::array<int, NibbleCount> nibbles{};
    for (int i = 0; i < SecretLength; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        nibbles[2 * i] = byte >> 4;
        nibbles[2 * i + 1] = byte & 0x0F;
    }

    QString scrambled(ScrambledLength, u' ');
    int weightedSum = 0;
    for (int i = 0; i < NibbleCount; ++i) {
        scrambled[CarrierPosition[i]] = QLatin1Char(CarrierAlphabet[(nibbles[i] + Shift[i]) % 16]);
        weightedSum += nibbles[i] * (i + 1);
    }
    for (int j = 0; j < NibbleCount; ++j) {
        scrambled[FillerPosition[j]] = QLatin1Char(FillerAlphabet[(weightedSum + 7 * j) % FillerAlphabet.size()]);
    }
    return scrambled;
}

std::optional<QString> unscramble(const QString& stored)
{
    if (stored.isEmpty()) {
        return QString();
    }
    if (stored.size() < ScrambledLength) {
        return std::nullopt;
    }
    QByteArray bytes(SecretLength, '\0');
    for (int i = 0; i < NibbleCount; ++i) {
        const int index = carrierIndex(stored[CarrierPosition[i]]);
        if (index < 0) {
            return std::nullopt;
        }
        const int nibble = (index - Shift[i] + 16) % 16;
        bytes[i / 2] = static_cast<char>((static_cast<unsigned char>(bytes[i / 2]) << 4) | nibble);
    }
    return CodePage::fromWindows1250(bytes);
}

} // namespace SecretScrambler
