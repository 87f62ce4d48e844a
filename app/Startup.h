#pragma once
// The start-up chain: program folder, logo, user folders, shared preferences, station setup.

namespace tylog {

// The version shown on the logo and quoted by the exports (Run.ProgramVersion).
inline constexpr const char* ProgramVersionText = "1.6";

// Runs the whole chain; returns with the station setup window shown (or after the program ended).
void RunStartup();

// Opens the logging window that OutOfStateFlag chooses.
bool ShowLoggingWindow();

} // namespace tylog
