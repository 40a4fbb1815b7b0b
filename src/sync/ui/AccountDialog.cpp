#include "sync/ui/AccountDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

#include "platform/Translate.h"
#include "platform/UserPrompts.h"
#include "platform/qt/QtHttpTransport.h"
#include "sync/AccountAddress.h"
#include "sync/Discovery.h"

namespace {

QString text(const char* translated) {
    return QString::fromUtf8(translated);
}

// How long "Test Connection" waits for a silent server.
constexpr int kTestTimeoutSeconds = 20;

}  // namespace

AccountDialog::AccountDialog(const SyncAccount& account, const std::string& password,
                             UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), trusted_(account.trustedCertificate) {
    setWindowTitle(text(_("Accounts")));
    auto* form = new QFormLayout;
    url_ = new QLineEdit(QString::fromStdString(account.url), this);
    url_->setObjectName(QStringLiteral("url"));
    url_->setPlaceholderText(QStringLiteral("https://dav.example.org/"));
    form->addRow(text(_("&Server address:")), url_);
    user_ = new QLineEdit(QString::fromStdString(account.user), this);
    user_->setObjectName(QStringLiteral("user"));
    form->addRow(text(_("&User name:")), user_);
    password_ = new QLineEdit(QString::fromStdString(password), this);
    password_->setObjectName(QStringLiteral("password"));
    password_->setEchoMode(QLineEdit::Password);
    form->addRow(text(_("&Password:")), password_);
    warning_ = new QLabel(this);
    warning_->setWordWrap(true);
    form->addRow(QString(), warning_);

    auto* testRow = new QHBoxLayout;
    test_ = new QPushButton(text(_("&Test Connection")), this);
    test_->setObjectName(QStringLiteral("testConnection"));
    testRow->addWidget(test_);
    testRow->addStretch(1);
    form->addRow(QString(), testRow);
    result_ = new QLabel(this);
    result_->setWordWrap(true);
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QString(), result_);

    addressBook_ = new QComboBox(this);
    addressBook_->setObjectName(QStringLiteral("addressBook"));
    offer(*addressBook_, text(_("The first address book")), account.addressBook);
    form->addRow(text(_("&Address book:")), addressBook_);
    calendar_ = new QComboBox(this);
    calendar_->setObjectName(QStringLiteral("calendar"));
    offer(*calendar_, text(_("The first calendar")), account.calendar);
    form->addRow(text(_("&Calendar:")), calendar_);

    afterSave_ = new QCheckBox(text(_("Synchronize after each &save")), this);
    afterSave_->setChecked(account.afterSave);
    form->addRow(QString(), afterSave_);
    everyMinutes_ = new QSpinBox(this);
    everyMinutes_->setRange(0, 24 * 60);
    everyMinutes_->setSpecialValueText(text(_("Never")));
    everyMinutes_->setSuffix(text(_(" minutes")));
    everyMinutes_->setValue(account.everyMinutes);
    form->addRow(text(_("Synchronize &every:")), everyMinutes_);
    if (!trusted_.empty())
        form->addRow(text(_("Trusted certificate:")),
                     new QLabel(QString::fromStdString(trusted_), this));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(test_, &QPushButton::clicked, this, &AccountDialog::testConnection);
    connect(url_, &QLineEdit::textChanged, this, &AccountDialog::updateWarning);
    connect(password_, &QLineEdit::textChanged, this, &AccountDialog::updateWarning);
    connect(url_, &QLineEdit::textChanged, this, &AccountDialog::updateOk);

    // Wide enough for an address, and for the warning and the test's answer on few lines.
    setMinimumWidth(520);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    updateWarning();
    updateOk();
}

void AccountDialog::offer(QComboBox& box, const QString& first, const std::string& chosen) {
    box.clear();
    box.addItem(first, QString());
    if (!chosen.empty())
        box.addItem(QString::fromStdString(chosen), QString::fromStdString(chosen));
    box.setCurrentIndex(box.count() - 1);
}

void AccountDialog::updateWarning() {
    const QString url = url_->text().trimmed();
    const bool clear = sendsPasswordInClear(url.toStdString()) && !password_->text().isEmpty();
    if (holdsUserInfo(url.toStdString()))
        warning_->setText(
            text(_("Leave the user name and password out of the server address: "
                   "the address is stored as plain text. Type them in their own "
                   "fields.")));
    else if (clear)
        warning_->setText(
            text(_("This address starts with http://: the password would travel "
                   "unencrypted. Use https:// where the server offers it.")));
    else
        warning_->clear();
    warning_->setVisible(!warning_->text().isEmpty());
    fitHeight();
}

// Wrapped texts take as many lines as their words need: the dialog grows to show them whole.
void AccountDialog::fitHeight() {
    layout()->activate();
    const int needed = layout()->totalHeightForWidth(width());
    if (needed > height()) resize(width(), needed);
}

void AccountDialog::updateOk() {
    const QString url = url_->text().trimmed();
    const bool valid = (url.isEmpty() || url.startsWith(QLatin1String("http://")) ||
                        url.startsWith(QLatin1String("https://"))) &&
                       !holdsUserInfo(url.toStdString());
    ok_->setEnabled(valid);
    test_->setEnabled(valid && !url.isEmpty());
}

SyncAccount AccountDialog::account() const {
    SyncAccount account;
    account.url = url_->text().trimmed().toStdString();
    account.user = user_->text().trimmed().toStdString();
    account.addressBook = addressBook_->currentData().toString().toStdString();
    account.calendar = calendar_->currentData().toString().toStdString();
    account.afterSave = afterSave_->isChecked();
    account.everyMinutes = everyMinutes_->value();
    account.trustedCertificate = trusted_;
    return account;
}

std::string AccountDialog::password() const {
    return password_->text().toStdString();
}

void AccountDialog::testConnection() {
    const SyncAccount typed = account();
    test_->setEnabled(false);
    result_->setText(text(_("Connecting...")));
    QApplication::setOverrideCursor(Qt::BusyCursor);
    DavAccount found;
    Status status;
    for (int attempt = 0; attempt < 2; ++attempt) {
        QtHttpTransport transport(typed.url, typed.user, password(), kTestTimeoutSeconds,
                                  kTestTimeoutSeconds * 3);
        transport.trustCertificate(trusted_);
        DavClient dav(transport, false);
        found = DavAccount();
        status = discoverAccount(dav, typed.url, found);
        const std::string fingerprint = transport.untrustedCertificate();
        if (status || fingerprint.empty() || attempt > 0) break;
        QApplication::restoreOverrideCursor();
        const QString question =
            text(_("The certificate of %1 does not verify. Its SHA-256 fingerprint is:\n\n%2\n\n"
                   "Trust this certificate for this account? Answer Yes only if the fingerprint "
                   "is the one your server's administrator gives."))
                .arg(QUrl(url_->text().trimmed()).host(), QString::fromStdString(fingerprint));
        const MessageAnswer answer = prompts_.showMessage(
            question.toStdString(), _("Accounts"), MessageIcon::Exclamation, MessageButtons::YesNo);
        QApplication::setOverrideCursor(Qt::BusyCursor);
        if (answer != MessageAnswer::Yes) break;
        trusted_ = fingerprint;
    }
    QApplication::restoreOverrideCursor();
    test_->setEnabled(true);
    if (!status) {
        result_->setText(QString::fromStdString(status.message()));
        fitHeight();
        return;
    }
    int books = 0, calendars = 0;
    const QString chosenBook = addressBook_->currentData().toString();
    const QString chosenCalendar = calendar_->currentData().toString();
    offer(*addressBook_, text(_("The first address book")), "");
    offer(*calendar_, text(_("The first calendar")), "");
    for (const DavCollection& collection : found.collections) {
        QComboBox& box = collection.addressBook ? *addressBook_ : *calendar_;
        if (!collection.addressBook && !collection.events && !collection.todos) continue;
        (collection.addressBook ? books : calendars)++;
        box.addItem(
            QString::fromStdString(collection.name.empty() ? collection.url : collection.name),
            QString::fromStdString(collection.url));
    }
    const std::pair<QComboBox*, QString> choices[] = {{addressBook_, chosenBook},
                                                      {calendar_, chosenCalendar}};
    for (const auto& [box, chosen] : choices) {
        int index = box->findData(chosen);
        if (index < 0) {
            box->addItem(chosen, chosen);
            index = box->count() - 1;
        }
        box->setCurrentIndex(chosen.isEmpty() ? 0 : index);
    }
    result_->setText(
        text(P_("Connected: %1 address book", "Connected: %1 address books", books)).arg(books) +
        QStringLiteral(", ") + text(P_("%1 calendar", "%1 calendars", calendars)).arg(calendars));
    fitHeight();
}
