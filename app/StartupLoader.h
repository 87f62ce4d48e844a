#pragma once

namespace tylog {

class frmStationIDWindow;

// The setup window's load: scales it, reads QSOpref.txt (all or nothing) and checks the UTC offset,
// fills the prefix and state tables, sets the two answers, reads the keyer settings from wave2.txt and
// CW.txt (the keyer windows load when first shown) and fills the setup fields from the settings. Each file that fails is told by name and why, and
// the loader goes on; without the settings the answers and fields stay empty and the offset unasked.
void LoadStationSetup(frmStationIDWindow& f);

// Starts reading the prefix table on a thread of its own, ahead of the setup window's load, which
// joins it at its own step and tells what became of it there, as when it reads the table itself.
// Nothing may touch PrefixTable in between.
void ReadPrefixTableAhead();

} // namespace tylog
