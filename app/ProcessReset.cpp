#include "app/ProcessReset.h"
#include "core/Link.h"
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "core/SectionTable.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "keying/KeyingPort.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "rig/RigSettings.h"
#include "spotting/DXSpotTable.h"

namespace tylog {

void ResetProcessState() {
    Folders = {};
    Station = {};
    SharedPrefs = {};
    Run = {};
    Keyer = {};
    KeyerSettings = {};
    RigSettings = {};
    PrefixTable = {};
    StateCoordTable = {};
    SectionTable = {};
    ContactLog = {};
    CountyTable = {};
    DXSpotTable = {};
    KeyingPortOwner() = {};
    ResetLinks();
}

} // namespace tylog
