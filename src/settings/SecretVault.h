#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// One secret entry of the program in a store outside the settings file (the desktop's keyring). Each request
// answers once, later, through its reply; a store that cannot be reached answers Unavailable.
class SecretVault {
public:
    enum class Outcome { Done, NotFound, Unavailable };

    struct Answer {
        Outcome outcome = Outcome::Unavailable;
        QByteArray data; // the secret read; empty for the other requests
        QString problem; // why the store refused, for the user; never holds the secret
    };

    using Reply = std::function<void(const Answer&)>;

    virtual ~SecretVault() = default;

    virtual void read(Reply reply) = 0;
    virtual void write(const QByteArray& data, Reply reply) = 0;
    virtual void remove(Reply reply) = 0;
};
