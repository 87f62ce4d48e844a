#include "platform/Diagnostics.h"

namespace tylog {

// QtWarningMsg: debug and info stay off unless the logging rules turn them on.
Q_LOGGING_CATEGORY(lcPlatform, "tylog.platform", QtWarningMsg)
Q_LOGGING_CATEGORY(lcControls, "tylog.controls", QtWarningMsg)
Q_LOGGING_CATEGORY(lcLogStore, "tylog.logstore", QtWarningMsg)
Q_LOGGING_CATEGORY(lcApp, "tylog.app", QtWarningMsg)
Q_LOGGING_CATEGORY(lcLogging, "tylog.logging", QtWarningMsg)
Q_LOGGING_CATEGORY(lcLogTools, "tylog.logtools", QtWarningMsg)
Q_LOGGING_CATEGORY(lcRig, "tylog.rig", QtWarningMsg)
Q_LOGGING_CATEGORY(lcKeying, "tylog.keying", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSpotting, "tylog.spotting", QtWarningMsg)

} // namespace tylog
