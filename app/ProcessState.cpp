#include "app/ProcessState.h"
#include "keying/KeyerState.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"

namespace tylog {

void ResetProcessState() {
    Folders = {};
    Station = {};
    SharedPrefs = {};
    Run = {};
    Keyer = {};
    ContactLog = {};
    CountyTable = {};
}

} // namespace tylog
