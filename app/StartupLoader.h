#pragma once

namespace tylog {

class frmStationIDWindow;

// The setup window's load: scales it, reads QSOpref.txt, checks the UTC offset, fills the prefix and
// state tables, sets the two answers, fills the keyer windows from wave2.txt and CW.txt and the
// setup fields from the settings. A failure shows "Error opening file" and skips the later steps,
// except that CW.txt is read whatever happened to wave2.txt.
void LoadStationSetup(frmStationIDWindow& f);

} // namespace tylog
