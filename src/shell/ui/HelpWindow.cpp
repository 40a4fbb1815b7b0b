#include "shell/ui/HelpWindow.h"
#include "platform/Translate.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "platform/Translate.h"

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(_("Quillmate Help"));
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    browser_->setAccessibleName(QString::fromUtf8(_("Help page")));

    auto* back = new QPushButton(_("&Back"), this);
    auto* forward = new QPushButton(_("&Forward"), this);
    auto* contents = new QPushButton(_("&Contents"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, this,
            [this] { showPage(QStringLiteral("Introduction")); });
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(contents);
    buttons->addStretch();
    // The window must close from the keyboard as any dialog does.
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(close, &QDialogButtonBox::rejected, this, &QWidget::close);
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
    layout->addWidget(close);
    resize(640, 520);
}

QString HelpWindow::pageUrl(const QString& page) {
    return QStringLiteral("qrc:/help/") + page + QStringLiteral(".htm");
}

void HelpWindow::showPage(const QString& page) {
    if (!QFile::exists(QStringLiteral(":/help/") + page + QStringLiteral(".htm"))) return;
    browser_->setSource(QUrl(pageUrl(page)));
    show();
    raise();
    activateWindow();
}
