#pragma once
#include <QLoggingCategory>

namespace tylog {

// One logging category per subsystem, "tylog.<subsystem>". Warnings are on; debug and info lines are
// off until switched on, for example QT_LOGGING_RULES="tylog.rig.debug=true" (or "tylog.*.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
Q_DECLARE_LOGGING_CATEGORY(lcControls)
Q_DECLARE_LOGGING_CATEGORY(lcLogStore)
Q_DECLARE_LOGGING_CATEGORY(lcApp)
Q_DECLARE_LOGGING_CATEGORY(lcLogging)
Q_DECLARE_LOGGING_CATEGORY(lcLogTools)
Q_DECLARE_LOGGING_CATEGORY(lcRig)
Q_DECLARE_LOGGING_CATEGORY(lcKeying)
Q_DECLARE_LOGGING_CATEGORY(lcSpotting)

} // namespace tylog
