#pragma once
// The groups of random characters that Morse practice sends.
#include <QString>
#include <functional>

namespace tylog {

// The 41 characters practice draws from: "A" to "Z", "0" to "9", then ".", ",", "?", "/", "-".
const QString& PracticeCharacters();
inline constexpr int kLettersOnly = 26; // the first 26 are the letters

// At most this many groups of at most this many characters: the boxes take any number, and a text
// that large only holds the window up.
inline constexpr int kMaxPracticeGroups = 1000;
inline constexpr int kMaxPracticeGroupLength = 50;

struct PracticeGroups {
    QString text;        // the groups, each followed by one blank
    QString groupsBox;   // what the two boxes show afterwards
    QString lengthBox;
};
// The count and length boxes' texts: no number becomes "10" and "5"; the numbers are taken to the
// nearest whole (halves to even), 0 or less gives no groups (or groups of no characters), and above
// the limits the limit is used and shown. `random` gives r in [0, 1); each character is entry
// floor(n x r) of the first n practice characters (41, or the 26 letters).
PracticeGroups RandomPracticeGroups(const QString& groupsBox, const QString& lengthBox, bool lettersOnly,
                                    const std::function<double()>& random);

} // namespace tylog
