#include "organizer/ui/ReminderWindow.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/AlarmSound.h"
#include "platform/Translate.h"

namespace {

constexpr int kMinuteMs = 60000;

// A reminder is an alert to assistive technology, which reads it out as it appears.
QAccessibleInterface* alertFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("ReminderWindow") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::AlertMessage);
    return nullptr;
}

void announce(QWidget* window) {
    QAccessibleEvent alert(window, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

}  // namespace

ReminderWindow::ReminderWindow(const QString& caption, const QString& message,
                               std::unique_ptr<AlarmSound> sound, std::string soundPath,
                               QWidget* owner)
    : QDialog(owner != nullptr ? owner->window() : nullptr, Qt::Dialog | Qt::CustomizeWindowHint |
                                                                Qt::WindowTitleHint |
                                                                Qt::WindowStaysOnTopHint),
      owner_(owner),
      sound_(std::move(sound)),
      soundPath_(std::move(soundPath)) {
    static const bool alertKnown = (QAccessible::installFactory(alertFactory), true);
    (void)alertKnown;
    setObjectName(QStringLiteral("reminderWindow"));
    setWindowTitle(caption);
    setAccessibleDescription(message);
    setModal(true);

    auto* icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(size, size));
    message_ = new QLabel(message, this);
    message_->setWordWrap(true);
    turnOffBox_ = new QCheckBox(_("&Turn off reminder"), this);
    okButton_ = new QPushButton(_("&OK"), this);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &ReminderWindow::acknowledge);

    auto* text = new QHBoxLayout;
    text->addWidget(icon, 0, Qt::AlignTop);
    text->addWidget(message_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(turnOffBox_);
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(text);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // The message on one line where it fits a reasonable width; longer ones wrap.
    message_->setMinimumWidth(std::min(fontMetrics().horizontalAdvance(message) + 2,
                                       fontMetrics().averageCharWidth() * 72));

    minute_.setInterval(kMinuteMs);
    connect(&minute_, &QTimer::timeout, this, &ReminderWindow::remind);
}

ReminderWindow::~ReminderWindow() {
    if (sound_) sound_->stop();
}

QString ReminderWindow::message() const {
    return message_->text();
}

void ReminderWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (minute_.isActive()) return;
    placeOverOwner();
    minute_.start();
    if (sound_) sound_->playLooped(soundPath_);
    announce(this);
}

void ReminderWindow::remind() {
    raise();
    activateWindow();
    announce(this);
    if (sound_) {
        sound_->stop();
        sound_->playLooped(soundPath_);
    }
}

void ReminderWindow::acknowledge() {
    turnOff_ = turnOffBox_->isChecked();
    answered_ = true;
    minute_.stop();
    if (sound_) sound_->stop();
    accept();
}

void ReminderWindow::closeEvent(QCloseEvent* event) {
    // A window manager's close (Alt+F4) is not an answer.
    if (answered_)
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void ReminderWindow::placeOverOwner() {
    adjustSize();
    QRect frame(QPoint(), frameGeometry().size());
    const QWidget* over = owner_ != nullptr ? owner_ : parentWidget();
    const QScreen* screen = over != nullptr ? over->screen() : QGuiApplication::primaryScreen();
    if (over != nullptr)
        frame.moveCenter(over->mapToGlobal(over->rect().center()));
    else if (screen != nullptr)
        frame.moveCenter(screen->availableGeometry().center());
    if (screen != nullptr) {
        // Kept inside the work area, its top left corner first.
        const QRect area = screen->availableGeometry();
        frame.moveRight(std::min(frame.right(), area.right()));
        frame.moveBottom(std::min(frame.bottom(), area.bottom()));
        frame.moveLeft(std::max(frame.left(), area.left()));
        frame.moveTop(std::max(frame.top(), area.top()));
    }
    move(frame.topLeft());
}
