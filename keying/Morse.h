#pragma once
// Morse as plain data: the element strings of the characters, the word space with its adjustment, the
// length of an element by timing method, the key line's schedule of one character, the counting loop
// of the "Loop" timing method and its calibration, and the CW message macros. The CW keyer engine
// (CWKeyer.h) hands these schedules to the keying thread.
#include "keying/KeyerSettings.h"
#include "platform/KeyingThread.h"

#include <QChar>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace tylog {

// The elements of a character, one per unit: "1" key down, "0" key up. A dot is "10", a dash "1110",
// and "00" closes the character, so every character ends with three units up. The space is eight units
// up. Lower case keys as upper case; "!" and characters without an entry give "".
QString MorseElements(QChar c);

// The word-space adjustment bounds: -8 takes the whole space away, 50 more units is the most.
constexpr double MinWordSpace = -8;
constexpr double MaxWordSpace = 50;

// The elements of a space with the word-space adjustment `units`: above 0 one more unit up for each
// whole unit (1.5 counts as 1), below 0 the first 8 + units (nearest, halves to even) of the eight.
// Held within MinWordSpace and MaxWordSpace.
QString WordSpaceElements(double units);

// The speed as the speed box holds it: words per minute, a number of at least 1; false otherwise
// (no unit can be worked out, so nothing is keyed).
bool CWSpeed(const QString& text, double* wpm);

// Steps per 60 ms of the counting loop, and steps per millisecond, from `steps` counted in
// `elapsedMs`; an elapsed time under 1 ms counts as 1 ms, so neither is ever 0 or infinite.
constexpr double CalibrationSteps = 5000000;
double LoopsPer60msFrom(double steps, double elapsedMs);

// Counts `steps` steps of the "Loop" method's counter, which the compiler must keep.
void CountSteps(double steps);

// One element's length in microseconds at `wpm` by the timing method: "Timer" the unit, 1200 / wpm
// ms; "Sleep" the unit in whole milliseconds (nearest, halves to even); "Loop" the time the counting
// loop takes for loopsPer60ms / wpm x 20 steps at `stepsPerMs` (0 when loopsPer60ms is not above 0).
double ElementMicros(CWTiming timing, double wpm, double loopsPer60ms, double stepsPerMs);

// The key line's changes for `elements` (only where the line changes, the line being up before) and
// where the next character starts, each element lasting `elementMicros` from the character's start.
struct MorseSchedule {
    std::vector<KeyingJob::Step> steps;
    std::int64_t lengthMicros = 0;
};
MorseSchedule ScheduleElements(const QString& elements, double elementMicros);

// The message of a function key's code (112 to 120 F1 to F9, 124 F10, 122 F11) as its index in
// CWSettings::Messages; -1 for any other code.
int CWMessageIndex(int keyCode);

// The message with its macros filled, in four passes ("$" call, "#" serial, "*" report, "^" county),
// each value trimmed and inserted without being expanded again by its own pass. "*" first turns a
// report of "599" or "" into "5NN", in `rst` itself. `county` gives the county's text for "^".
QString ExpandCWMacros(const QString& message, const QString& call, const QString& serial, QString& rst,
                       const std::function<QString()>& county);

} // namespace tylog
