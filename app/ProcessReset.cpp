#include "app/ProcessReset.h"
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "keying/KeyerActions.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "rig/RadioLink.h"
#include "spotting/DXSpotTable.h"
#include "spotting/SpottingLink.h"

namespace tylog {

void ResetProcessState() {
    Folders = {};
    Station = {};
    SharedPrefs = {};
    Run = {};
    Keyer = {};
    KeyerSettings = {};
    InstallKeyerActions(nullptr);
    PrefixTable = {};
    StateCoordTable = {};
    ContactLog = {};
    CountyTable = {};
    DXSpotTable = {};
    InstallRadioLink(nullptr);
    InstallSpottingLink(nullptr);
}

} // namespace tylog
