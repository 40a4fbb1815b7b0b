#include "shell/ui/SplashWindow.h"
#include "platform/Translate.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "workspace/ui/ProgramPicture.h"

SplashWindow::SplashWindow(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    auto* picture = new QLabel(this);
    picture->setPixmap(ProgramPicture::picture());
    auto* name = new QLabel(QStringLiteral("Quillmate"), this);
    name->setFont(ProgramPicture::nameFont(font()));
    auto* version = new QLabel(QString::fromStdString(fillIn(_("Version %s"), {"1.6"})), this);

    auto* texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(24, 24, 32, 24);
    layout->setSpacing(24);
    layout->addWidget(picture);
    layout->addLayout(texts);
}

void SplashWindow::showFor(QWidget* parent) {
    SplashWindow splash(parent);
    splash.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), splash.size());
        frame.moveCenter(screen->geometry().center());
        splash.move(frame.topLeft());
    }
    QTimer::singleShot(kShowMilliseconds, &splash, &QDialog::accept);
    splash.exec();
}
