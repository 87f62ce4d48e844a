#include "app/ProcessReset.h"
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "core/SectionTable.h"
#include "keying/KeyerActions.h"
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
    InstallKeyerActions(nullptr);
    PrefixTable = {};
    StateCoordTable = {};
    SectionTable = {};
    ContactLog = {};
    CountyTable = {};
    DXSpotTable = {};
    InstallRadioLink(nullptr);
    InstallSpottingLink(nullptr);
}

} // namespace tylog
