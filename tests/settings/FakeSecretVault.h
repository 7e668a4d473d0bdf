#pragma once

#include "settings/SecretVault.h"

#include <QList>
#include <optional>

// A keyring that answers only when the test says so: requests wait in a list, and answer() settles the oldest
// the way a working keyring would, or as unreachable.
class FakeSecretVault final : public SecretVault {
public:
    enum class Kind { Read, Write, Remove };

    struct Request {
        Kind kind;
        QByteArray data;
        Reply reply;
    };

    void read(Reply reply) override { m_requests.append({Kind::Read, {}, std::move(reply)}); }
    void write(const QByteArray& data, Reply reply) override
    {
        m_requests.append({Kind::Write, data, std::move(reply)});
    }
    void remove(Reply reply) override { m_requests.append({Kind::Remove, {}, std::move(reply)}); }

    qsizetype pending() const { return m_requests.size(); }
    Kind nextKind() const { return m_requests.first().kind; }

    // Settles the oldest request; a kept copy of its reply lets a test answer it a second time.
    Reply answer(bool reachable = true)
    {
        Request request = m_requests.takeFirst();
        Answer answer;
        if (!reachable) {
            answer.problem = QStringLiteral("No keyring service on this bus");
        } else if (request.kind == Kind::Write) {
            stored = request.data;
            answer.outcome = Outcome::Done;
        } else if (request.kind == Kind::Remove) {
            answer.outcome = stored ? Outcome::Done : Outcome::NotFound;
            stored.reset();
        } else {
            answer.outcome = stored ? Outcome::Done : Outcome::NotFound;
            answer.data = stored.value_or(QByteArray());
        }
        request.reply(answer);
        lastAnswer = answer;
        return request.reply;
    }

    std::optional<QByteArray> stored;
    Answer lastAnswer;

private:
    QList<Request> m_requests;
};
