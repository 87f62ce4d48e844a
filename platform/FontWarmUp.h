#pragma once
// The font database, filled on a thread of its own while the start-up goes on. Filling it (the font
// configuration read and every installed face listed) is the dearest step before the first window,
// and it is needed only once the first text is laid out; Qt's font database serialises its users, so
// the first text waits for the fill when it comes before the fill has ended, and never fills twice.
namespace tylog {

// Starts the fill; call it once, when the application object exists. The thread is joined when the
// application object goes.
void StartFontWarmUp();

} // namespace tylog
