#include "platform/qt/QtAlarmSound.h"

#include <QUrl>

void QtAlarmSound::playLooped(const std::string& path) {
    effect_.stop();
    if (path.empty()) return;
    const QUrl source = QUrl::fromLocalFile(QString::fromStdString(path));
    // Setting the same source again would load the file again.
    if (effect_.source() != source) effect_.setSource(source);
    effect_.setLoopCount(QSoundEffect::Infinite);
    effect_.play();
}

void QtAlarmSound::stop() {
    effect_.stop();
}
