#pragma once

#include <string>
#include <string_view>
#include <vector>

// The server's calendar object with a series written in from `ourText`, the calendar this
// program writes for the same appointment (icalendarText of it alone), keeping what the
// server holds and we do not (attendees, categories, other alarms, the properties of the
// overrides that stay). `changed` marks the fields as patchEvent numbers them, with the
// schedule after them:
//   the summary and the first alarm's trigger of the series' event;
//   start, end or schedule: its start, end, repeat rule, extra and removed starts, and
//   its overrides (events with a RECURRENCE-ID), kept where ours has one for the same start,
//   added where only ours has one and dropped where ours has none; the zone definitions
//   ours names are added.
// "" when either text holds no event that is not an override.
[[nodiscard]] std::string patchSeries(std::string_view serverText, std::string_view ourText,
                                      const std::vector<bool>& changed);
