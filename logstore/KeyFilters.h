#pragma once

namespace tylog {

// Key-press filters applied to a typed character code before the box takes it; 0 drops the key.
void KeyUpperCase(int& KeyAscii);  // a..z become A..Z; every other code passes
void KeyDigitsOnly(int& KeyAscii); // only Backspace and 0..9 pass

} // namespace tylog
