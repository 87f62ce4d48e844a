#include "app/Engines.h"
#include "core/Link.h"
#include "keying/EngineKeyers.h"

namespace tylog {

void InstallEngines() {
    Link<KeyerActions>::install(&InstalledKeyers());
}

} // namespace tylog
