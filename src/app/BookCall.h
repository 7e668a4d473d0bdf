#pragma once

#include <QString>
#include <functional>

class TelephoneWindowLogic;

// "Call" of the phone book window: the number is dialled through the telephone window; during a conversation the
// user first chooses to park it ("Park current connection?") or, failing that, to hold it ("Hold current
// connection?"); answering no to both leaves the conversation alone and dials nothing.
class BookCall final {
public:
    BookCall(TelephoneWindowLogic& window, std::function<bool(const QString& question)> ask);

    void call(const QString& number);

private:
    TelephoneWindowLogic& m_window;
    std::function<bool(const QString&)> m_ask;
};
