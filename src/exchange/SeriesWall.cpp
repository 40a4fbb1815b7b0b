#include "exchange/SeriesWall.h"

#include "exchange/CalendarTime.h"
#include "records/ZoneRules.h"

namespace {

bool hasInstant(const icaltimetype& time) {
    return !time.is_date && (icaltime_is_utc(time) || time.zone != nullptr);
}

int64_t localOffsetAt(int64_t instant) {
    const auto wall = DateTime::localFieldsAt(instant).localSeconds();
    return wall ? *wall - instant : 0;
}

}  // namespace

SeriesWall::SeriesWall(const icaltimetype& start, bool keepZone)
    : allDay_(start.is_date != 0), start_(start) {
    if (allDay_) return;
    if (keepZone) zone_ = systemRulesOf(start);
    if (zone_ == nullptr && hasInstant(start)) startInstant_ = instantOfTime(start);
}

std::string SeriesWall::zoneName() const {
    return zone_ ? zone_->name() : std::string();
}

DateTime SeriesWall::wallOf(const icaltimetype& time) const {
    DateTime wall;
    if (!hasInstant(time) || (zone_ != nullptr && systemRulesOf(time) == zone_)) {
        wall = writtenTimeOf(time);
    } else if (const std::optional<int64_t> instant = instantOfTime(time)) {
        wall = allDay_ ? DateTime::localFieldsAt(*instant) : wallAt(*instant);
    }
    return allDay_ ? wall.date() : wall;
}

DateTime SeriesWall::wallAt(int64_t instant) const {
    if (zone_ == nullptr) return DateTime::localFieldsAt(instant);
    return DateTime::fromLocalSeconds(instant + zone_->offsetAt(instant));
}

DateTime SeriesWall::localOf(DateTime wall) const {
    if (zone_ == nullptr || !wall.isValid()) return wall;
    return DateTime::localFieldsAt(zone_->instantOf(*wall.localSeconds()));
}

int64_t SeriesWall::instantOf(DateTime wall) const {
    if (zone_ != nullptr) return zone_->instantOf(wall.localSeconds().value_or(0));
    return wall.toSeconds();
}

int64_t SeriesWall::driftAt(int64_t instant) const {
    return localOffsetAt(instant) - zoneOffsetAt(start_, instant);
}

DateTime SeriesWall::startOf(const icaltimetype& time,
                             const std::function<bool(DateTime)>& isStart) const {
    const DateTime real = wallOf(time);
    if (!startInstant_ || allDay_ || !hasInstant(time) || !real.isValid()) return real;
    const std::optional<int64_t> instant = instantOfTime(time);
    if (!instant) return real;
    const int64_t drift = driftAt(*startInstant_) - driftAt(*instant);
    if (drift == 0 || isStart(real)) return real;
    const DateTime shifted = DateTime::fromLocalSeconds(*real.localSeconds() + drift);
    return shifted.isValid() && isStart(shifted) ? shifted : real;
}

DateTime SeriesWall::boundAt(int64_t instant) const {
    const DateTime real = wallAt(instant);
    if (!startInstant_ || allDay_ || !real.isValid()) return real;
    const int64_t drift = driftAt(*startInstant_) - driftAt(instant);
    return drift > 0 ? DateTime::fromLocalSeconds(*real.localSeconds() + drift) : real;
}
