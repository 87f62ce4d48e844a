#include "app/ProcessState.h"
#include "app/ReferenceTables.h"
#include "keying/KeyerActions.h"
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
    InstallKeyerActions(nullptr);
    PrefixTable = {};
    StateCoordTable = {};
    ContactLog = {};
    CountyTable = {};
}

} // namespace tylog
