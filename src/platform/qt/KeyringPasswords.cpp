#include "platform/qt/KeyringPasswords.h"

#include <memory>

#include <QEventLoop>
#include <QTimer>

#include <qt6keychain/keychain.h>

#include "platform/Translate.h"

namespace keyring {

namespace {

constexpr const char* kService = "Quillmate";
// A keyring that never answers must not hold the program.
constexpr int kWaitMs = 10000;

// What a job left when it finished; shared with the job's handler, which may run after the
// caller stopped waiting.
struct Answer {
    bool finished = false;
    QKeychain::Error error = QKeychain::NoError;
    QString errorString;
    QString text;
};

// Starts the job and waits for its end; the answer says whether it came in time. A job the
// keyring does not answer stays alive (the backend may still call into it) and deletes itself
// when it ends.
std::shared_ptr<Answer> run(QKeychain::Job* job) {
    auto answer = std::make_shared<Answer>();
    job->setAutoDelete(true);
    QEventLoop loop;
    const QMetaObject::Connection handler = QObject::connect(
        job, &QKeychain::Job::finished, job, [answer, &loop](QKeychain::Job* ended) {
            answer->finished = true;
            answer->error = ended->error();
            answer->errorString = ended->errorString();
            if (auto* read = qobject_cast<QKeychain::ReadPasswordJob*>(ended))
                answer->text = read->textData();
            loop.quit();
        });
    QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
    job->start();
    if (!answer->finished) loop.exec();
    // Too late: the handler must not reach the loop that is going now.
    if (!answer->finished) QObject::disconnect(handler);
    return answer;
}

}  // namespace

Found readPassword(const std::string& key, std::string& password, std::string& why) {
    auto* job = new QKeychain::ReadPasswordJob(QString::fromLatin1(kService));
    job->setKey(QString::fromStdString(key));
    const auto answer = run(job);
    if (!answer->finished) {
        why = _("the keyring did not answer");
        return Found::NoKeyring;
    }
    switch (answer->error) {
        case QKeychain::NoError:
            password = answer->text.toStdString();
            return Found::Yes;
        case QKeychain::EntryNotFound:
            return Found::No;
        default:
            why = answer->errorString.toStdString();
            return Found::NoKeyring;
    }
}

bool writePassword(const std::string& key, const std::string& password, std::string& why) {
    auto* job = new QKeychain::WritePasswordJob(QString::fromLatin1(kService));
    job->setKey(QString::fromStdString(key));
    job->setTextData(QString::fromStdString(password));
    const auto answer = run(job);
    if (!answer->finished) {
        why = _("the keyring did not answer");
        return false;
    }
    if (answer->error == QKeychain::NoError) return true;
    why = answer->errorString.toStdString();
    return false;
}

void removePassword(const std::string& key) {
    auto* job = new QKeychain::DeletePasswordJob(QString::fromLatin1(kService));
    job->setKey(QString::fromStdString(key));
    (void)run(job);
}

}  // namespace keyring
