#pragma once

#include "programme/session_timetable.h"

#include <QJsonObject>

namespace remote {

// The session against its timetable, as the chair's page shows it and the
// chair link's state request answers it: the clock, the offset in seconds
// (positive when late, null before the first talk started), the projected
// end, the seconds until the first talk's planned start while the session
// has not begun, and the talks still to come from firstRemaining on, with
// their planned and expected starts. Times of day are "HH:MM" (the clock
// "HH:MM:SS"), or null where the timetable has none.
QJsonObject chairSession(const programme::SessionTimetable &timetable, const QList<programme::Talk> &talks,
                         int firstRemaining, programme::DaySeconds now);

} // namespace remote
