// Archive and restore of the working log, from the out-of-state window's File menu (ArchiveCommands).
#include "logging/ArchiveCommands.h"
#include "logging/Outfrm.h"

namespace tylog {

void OutfrmWindow::wireArchive() {
    mnuArchive.Click = [this] { mnuArchive_Click(); };
    mnuRestore.Click = [this] { mnuRestore_Click(); };
}

void OutfrmWindow::mnuArchive_Click() { ArchiveCurrentLog(); }
void OutfrmWindow::mnuRestore_Click() { RestoreArchivedLog(*this); }

} // namespace tylog
