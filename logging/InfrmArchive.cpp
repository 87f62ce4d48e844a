// Archive and restore of the working log, from the in-state window's File menu (ArchiveCommands).
#include "logging/ArchiveCommands.h"
#include "logging/Infrm.h"

namespace tylog {

void InfrmWindow::wireArchive() {
    mnuArchive.Click = [this] { mnuArchive_Click(); };
    mnuRestore.Click = [this] { mnuRestore_Click(); };
}

void InfrmWindow::mnuArchive_Click() { ArchiveCurrentLog(); }
void InfrmWindow::mnuRestore_Click() { RestoreArchivedLog(*this); }

} // namespace tylog
