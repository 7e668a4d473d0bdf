#include "settings/keyring/QtKeychainVault.h"

#include "settings/Const.h"

#include <qt6keychain/keychain.h>

namespace {

SecretVault::Answer answerOf(const QKeychain::Job& job)
{
    SecretVault::Answer answer;
    switch (job.error()) {
    case QKeychain::NoError:
        answer.outcome = SecretVault::Outcome::Done;
        break;
    case QKeychain::EntryNotFound:
        answer.outcome = SecretVault::Outcome::NotFound;
        break;
    default:
        answer.outcome = SecretVault::Outcome::Unavailable;
        answer.problem = job.errorString();
        break;
    }
    return answer;
}

// Starts job, which deletes itself once it has finished and answered reply.
void run(QKeychain::Job* job, const QString& key, std::function<void(QKeychain::Job&)> answer)
{
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(key);
    QObject::connect(job, &QKeychain::Job::finished, job,
                     [answer = std::move(answer)](QKeychain::Job* finished) { answer(*finished); });
    job->start();
}

} // namespace

QtKeychainVault::QtKeychainVault(QString service, QString key)
    : m_service(std::move(service))
    , m_key(std::move(key))
{
}

QtKeychainVault QtKeychainVault::forSettings(const SettingsPaths& paths)
{
    return QtKeychainVault(QString::fromUtf8(Const::ApplicationTitle), paths.settingsFile());
}

void QtKeychainVault::read(Reply reply)
{
    auto* job = new QKeychain::ReadPasswordJob(m_service);
    run(job, m_key, [job, reply = std::move(reply)](QKeychain::Job& finished) {
        SecretVault::Answer answer = answerOf(finished);
        if (answer.outcome == Outcome::Done) {
            answer.data = job->binaryData();
        }
        reply(answer);
    });
}

void QtKeychainVault::write(const QByteArray& data, Reply reply)
{
    auto* job = new QKeychain::WritePasswordJob(m_service);
    job->setBinaryData(data);
    run(job, m_key, [reply = std::move(reply)](QKeychain::Job& finished) { reply(answerOf(finished)); });
}

void QtKeychainVault::remove(Reply reply)
{
    run(new QKeychain::DeletePasswordJob(m_service), m_key,
        [reply = std::move(reply)](QKeychain::Job& finished) { reply(answerOf(finished)); });
}
