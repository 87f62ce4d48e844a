#include "app/ProcessReset.h"
#include "core/Link.h"
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "core/SaveReports.h"
#include "core/SectionTable.h"
#include "keying/CWKeyer.h"
#include "keying/ExternalKeyer.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "keying/KeyingPort.h"
#include "keying/VoiceKeyer.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "rig/RigSettings.h"
#include "spotting/DXSpotTable.h"
#include "spotting/SpotSettings.h"

namespace tylog {

void ResetProcessState() {
    // The engines first: what they keyed is released while the state they keyed it by stands.
    EndVoiceKeyer();
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
    SpottingSettings = {};
    ResetCWEngine(); // before the port's owner: it gives the port back as it goes
    ResetExternalKeyer();
    KeyingPortOwner() = {};
    ResetLinks();
    ResetSaveReports();
}

} // namespace tylog
