#include "app/Engines.h"
#include "core/Link.h"
#include "keying/EngineKeyers.h"
#include "keying/PhoneFrm.h"
#include "rig/RigControlfrm.h"
#include "spotting/SpottingWindowsLink.h"

namespace tylog {

void InstallEngines() {
    Link<KeyerActions>::install(&InstalledKeyers());
    Link<SpottingLink>::install(&InstalledSpottingLink());
    Link<RadioLink>::install(&InstalledRadio());
    Link<VoiceWindowLink>::install(&InstalledVoiceWindow());
}

} // namespace tylog
