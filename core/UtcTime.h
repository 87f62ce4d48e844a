#pragma once
// Local wall time to UTC by the station's offset: contact times, the clocks and the spot tool tips.
#include <QDateTime>

namespace tylog {

// Local wall time plus the UTC offset: offset hours x 60 minutes, as whole minutes.
QDateTime UtcFromLocal(const QDateTime& local, float utcOffsetHours);

} // namespace tylog
