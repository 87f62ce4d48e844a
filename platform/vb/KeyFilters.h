#pragma once

namespace tylog {

// Key-press filters for a box's KeyPress: they work on the character code the control layer hands
// the handlers (before the box takes it), so every window, whatever its layer, uses them; 0 drops the key.
void KeyUpperCase(int& KeyAscii);  // a..z become A..Z; every other code passes
void KeyDigitsOnly(int& KeyAscii); // only Backspace and 0..9 pass

} // namespace tylog
