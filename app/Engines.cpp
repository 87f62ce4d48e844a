#include "app/Engines.h"
#include "core/Link.h"
#include "keying/EngineKeyers.h"
#include "keying/VoiceKeyer.h"
#include "rig/RigControlfrm.h"
#include "spotting/SpottingWindowsLink.h"

namespace tylog {

void InstallEngines() {
    Link<KeyerActions>::install(&InstalledKeyers());
    StartVoiceKeyer();
    Link<SpottingLink>::install(&InstalledSpottingLink());
    Link<RadioLink>::install(&InstalledRadio());
}

} // namespace tylog
