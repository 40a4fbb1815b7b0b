#pragma once

#include <string>

// A wave file played in a loop until stopped. Playing never fails in a way the caller
// sees: a file that is missing or cannot be played, or no audio device, is silence.
class AlarmSound {
public:
    virtual ~AlarmSound() = default;
    // Plays the file from its start, over and over, ending whatever played before.
    virtual void playLooped(const std::string& path) = 0;
    // Ends the sound.
    virtual void stop() = 0;
};
