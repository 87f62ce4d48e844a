// Archive and restore of the working log, from the in-state window's File menu (to come).
#include "logging/Infrm.h"

namespace tylog {

void InfrmWindow::wireArchive() {}

} // namespace tylog
