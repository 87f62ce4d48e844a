#pragma once

namespace tylog {

class frmStationIDWindow;

// The setup window's load: scales it, reads QSOpref.txt (all or nothing) and checks the UTC offset,
// fills the prefix and state tables, sets the two answers, reads the keyer settings from wave2.txt and
// CW.txt (the keyer windows load when first shown) and fills the setup fields from the settings. Each file that fails is told by name and why, and
// the loader goes on; without the settings the answers and fields stay empty and the offset unasked.
void LoadStationSetup(frmStationIDWindow& f);

// Reads the prefix table ahead of the setup window's load: the start-up chain does it while the font
// database is still being filled on its own thread, which the window's first text would otherwise
// wait for. The next load takes the table so read and tells what became of it at its own step, as
// when it reads the table itself.
void ReadPrefixTableAhead();

} // namespace tylog
