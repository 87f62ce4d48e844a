#pragma once
// The start-up chain: program folder, logo, user folders, shared preferences, station setup.

namespace tylog {

// Runs the whole chain; returns with the station setup window shown (or after the program ended).
void RunStartup();

// Opens the logging window that OutOfStateFlag chooses.
bool ShowLoggingWindow();

} // namespace tylog
