#pragma once

#include "sms/SmsHistoryPort.h"

class TdbCore;

// The SMS rows of the call history, written through the books' history register: the text goes into the side
// table of SMS texts, the reference into the row's order number.
class SmsHistoryRows final : public SmsHistoryPort {
public:
    explicit SmsHistoryRows(TdbCore& books);

    void addMessage(int kind, const QDateTime& when, int reference, const QString& number,
                    const QString& text) override;
    void setState(int reference, int kind) override;

private:
    TdbCore& m_books;
};
