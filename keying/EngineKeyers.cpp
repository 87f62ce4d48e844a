#include "keying/EngineKeyers.h"

namespace tylog {

EngineKeyers& InstalledKeyers() {
    static EngineKeyers keyers;
    return keyers;
}

} // namespace tylog
