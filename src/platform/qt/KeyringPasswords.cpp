#include "platform/qt/KeyringPasswords.h"

#include <QEventLoop>
#include <QTimer>

#include <qt6keychain/keychain.h>

#include "platform/Translate.h"

namespace keyring {

namespace {

constexpr const char* kService = "Quillmate";
// A keyring that never answers must not hold the program.
constexpr int kWaitMs = 10000;

// Runs the job to its end; false when the keyring did not answer in time.
bool waitFor(QKeychain::Job& job) {
    job.setAutoDelete(false);
    bool finished = false;
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
    job.start();
    if (!finished) loop.exec();
    return finished;
}

}  // namespace

Found readPassword(const std::string& key, std::string& password, std::string& why) {
    QKeychain::ReadPasswordJob job(QString::fromLatin1(kService));
    job.setKey(QString::fromStdString(key));
    if (!waitFor(job)) {
        why = _("the keyring did not answer");
        return Found::NoKeyring;
    }
    switch (job.error()) {
        case QKeychain::NoError:
            password = job.textData().toStdString();
            return Found::Yes;
        case QKeychain::EntryNotFound:
            return Found::No;
        default:
            why = job.errorString().toStdString();
            return Found::NoKeyring;
    }
}

bool writePassword(const std::string& key, const std::string& password, std::string& why) {
    QKeychain::WritePasswordJob job(QString::fromLatin1(kService));
    job.setKey(QString::fromStdString(key));
    job.setTextData(QString::fromStdString(password));
    if (!waitFor(job)) {
        why = _("the keyring did not answer");
        return false;
    }
    if (job.error() == QKeychain::NoError) return true;
    why = job.errorString().toStdString();
    return false;
}

void removePassword(const std::string& key) {
    QKeychain::DeletePasswordJob job(QString::fromLatin1(kService));
    job.setKey(QString::fromStdString(key));
    (void)waitFor(job);
}

}  // namespace keyring
