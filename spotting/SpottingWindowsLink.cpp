#include "spotting/SpottingWindowsLink.h"

namespace tylog {

SpottingWindowsLink& InstalledSpottingLink() {
    static SpottingWindowsLink link;
    return link;
}

} // namespace tylog
