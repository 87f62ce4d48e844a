#pragma once
// The start of a run, for whoever needs to begin again in one process (the tests).
namespace tylog {

// Puts every process-wide struct back to its start, the contact log, the tables and the links included.
void ResetProcessState();

} // namespace tylog
