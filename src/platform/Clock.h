#pragma once

// The local wall-clock time as the system reports it.
struct LocalTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Where "now" and "today" come from, so that every date rule can be tested.
class Clock {
public:
    virtual ~Clock() = default;
    // The current local time.
    virtual LocalTime localTime() const = 0;
};

// The system's clock in the time zone of the TZ environment.
class SystemClock : public Clock {
public:
    LocalTime localTime() const override;
};

// A clock standing still at a given time.
class FixedClock : public Clock {
public:
    explicit FixedClock(LocalTime time) : time_(time) {}
    LocalTime localTime() const override { return time_; }
    void set(LocalTime time) { time_ = time; }

private:
    LocalTime time_;
};
