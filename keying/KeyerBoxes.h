#pragma once
// Number rules shared by the keyer windows' boxes, the keyers and the reading of their settings.
#include <QString>

namespace tylog {

// True when text is a number (decimal, "." as the point, blanks around it allowed).
bool IsNumericText(const QString& text, double* value = nullptr);

// The number in a box as the keyers take it each time they use it: a decimal number, or "&H" and up to
// eight hexadecimal digits ("&H378" is 888), blanks around it allowed. False for anything else, the
// empty text included.
bool BoxNumber(const QString& text, double* value);

// A number as the boxes show it: the shortest decimal text ("14", "-7", "0.5").
QString NumberText(double value);

// The repeat-seconds rule of the F1 repeat boxes: a number s with 0 <= s < 60 gives the timer
// interval s x 1000 ms (nearest, halves to even) and true; anything else false (the box then
// shows "0" and the interval is 0).
bool RepeatIntervalMs(const QString& text, int* intervalMs);

// The speed one word per minute up or down (delta +1 or -1), without limits; a speed that is no number
// stays as it is.
QString SteppedSpeed(const QString& speed, int delta);

// The word space as its box holds it: a number below -8 becomes "-8", one above 50 "50".
QString HeldWordSpace(const QString& units);

// A parallel port's base address as its box holds it: hexadecimal after a leading "&H" ("&H378" is
// 888), decimal otherwise ("378" is 378), a whole number from 0 to 65535; false for anything else.
bool ParallelBaseAddress(const QString& text, int* address);

} // namespace tylog
