#pragma once

#include <QLocale>
#include <QString>

// The duration of the current call and its advice-of-charge text, as the telephone window shows them. The timer
// has no clock of its own: the window calls tick() with the seconds field of the system clock (every 100 ms), and
// the timer counts how far that field moved since the previous tick.
class CallTimer final {
public:
    // locale gives the currency symbol; the system locale unless a test picks one.
    explicit CallTimer(const QLocale& locale = QLocale::system());

    // Starts a new call: zero duration. The first tick after it only notes the second it starts from. The charge
    // text stays until the caller replaces it.
    void start();

    // secondOfMinute (0..59) is the seconds field of the clock; other values are ignored.
    void tick(int secondOfMinute);

    int minutes() const { return m_minutes; }
    int seconds() const { return m_seconds; }
    // "M:SS", e.g. "0:05" or "12:30".
    QString elapsedText() const;

    void setChargeText(const QString& text) { m_chargeText = text; }
    QString chargeText() const { return m_chargeText; }

    // The locale's currency symbol, or "Euro" when the locale has none.
    QString currencySymbol() const;

private:
    QLocale m_locale;
    int m_minutes = 0;
    int m_seconds = 0;
    int m_previousSecond = -1; // none until the first tick after start()
    QString m_chargeText;
};
