#include "app/ProcessState.h"
#include "keying/KeyerState.h"

namespace tylog {

void ResetProcessState() {
    Folders = {};
    Station = {};
    SharedPrefs = {};
    Run = {};
    Keyer = {};
}

} // namespace tylog
