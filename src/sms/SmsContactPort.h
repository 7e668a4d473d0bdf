#pragma once

#include <QString>

// Where the SMS window's number field sends "Add to a phone book": a new contact with the number in one position
// (1 extension, 2 company, 3 home, 4 mobile, 5 other). The program connects it to the books.
class SmsContactPort {
public:
    static constexpr int FirstPosition = 1;
    static constexpr int LastPosition = 5;

    virtual ~SmsContactPort() = default;
    virtual void addToBook(const QString& number, int position) = 0;
};
