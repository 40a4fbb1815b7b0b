#pragma once

#include <QSoundEffect>

#include "platform/AlarmSound.h"

// The alarm sound through Qt Multimedia. Qt reports a file it cannot play, or a missing
// audio device, through the effect's status, which nothing here turns into an error.
class QtAlarmSound : public AlarmSound {
public:
    void playLooped(const std::string& path) override;
    void stop() override;

private:
    QSoundEffect effect_;
};
