#include "app/ProcessReset.h"
#include "core/Link.h"
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "core/SaveReports.h"
#include "core/SectionTable.h"
#include "keying/ExternalKeyer.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "keying/KeyingPort.h"
#include "logstore/ContactLog.h"
#include "logstore/CountyTable.h"
#include "spotting/DXSpotTable.h"

namespace tylog {

void ResetProcessState() {
    Folders = {};
    Station = {};
    SharedPrefs = {};
    Run = {};
    Keyer = {};
    KeyerSettings = {};
    PrefixTable = {};
    StateCoordTable = {};
    SectionTable = {};
    ContactLog = {};
    CountyTable = {};
    DXSpotTable = {};
    ResetExternalKeyer(); // before the port's owner: it gives the port back as it goes
    KeyingPortOwner() = {};
    ResetLinks();
    ResetSaveReports();
}

} // namespace tylog
