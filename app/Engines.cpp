#include "app/Engines.h"
#include "core/Link.h"
#include "keying/EngineKeyers.h"
#include "spotting/SpottingWindowsLink.h"

namespace tylog {

void InstallEngines() {
    Link<KeyerActions>::install(&InstalledKeyers());
    Link<SpottingLink>::install(&InstalledSpottingLink());
}

} // namespace tylog
