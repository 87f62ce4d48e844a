#include "keying/CodePracticeRules.h"
#include "keying/KeyerBoxes.h"

#include <algorithm>
#include <cmath>

namespace tylog {

const QString& PracticeCharacters() {
    static const QString characters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,?/-");
    return characters;
}

namespace {
// A box's count: the default for no number, the limit (shown) above it.
int count(QString& box, const char* fallback, int limit) {
    double value = 0;
    if (!IsNumericText(box, &value)) {
        box = QString::fromLatin1(fallback);
        IsNumericText(box, &value);
    }
    const double whole = std::nearbyint(value);
    if (whole > limit) {
        box = QString::number(limit);
        return limit;
    }
    return whole < 0 ? 0 : static_cast<int>(whole);
}
} // namespace

PracticeGroups RandomPracticeGroups(const QString& groupsBox, const QString& lengthBox, bool lettersOnly,
                                    const std::function<double()>& random) {
    PracticeGroups out{{}, groupsBox, lengthBox};
    const int groups = count(out.groupsBox, "10", kMaxPracticeGroups);
    const int length = count(out.lengthBox, "5", kMaxPracticeGroupLength);
    const QString& characters = PracticeCharacters();
    const int n = lettersOnly ? kLettersOnly : static_cast<int>(characters.size());
    out.text.reserve(static_cast<qsizetype>(groups) * (length + 1));
    for (int g = 0; g < groups; ++g) {
        for (int c = 0; c < length; ++c) {
            const int i = std::clamp(static_cast<int>(std::floor(n * random())), 0, n - 1);
            out.text += characters[i];
        }
        out.text += u' ';
    }
    return out;
}

} // namespace tylog
