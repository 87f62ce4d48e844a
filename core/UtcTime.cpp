#include "core/UtcTime.h"

#include <cmath>

namespace tylog {

QDateTime UtcFromLocal(const QDateTime& local, float utcOffsetHours) {
    const qint64 minutes = static_cast<qint64>(std::nearbyint(static_cast<double>(utcOffsetHours) * 60.0));
    const QDateTime naive(local.date(), local.time(), Qt::UTC);
    return naive.addSecs(minutes * 60);
}

} // namespace tylog
