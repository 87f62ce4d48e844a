#include "keying/Morse.h"
#include "keying/KeyerBoxes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tylog {

namespace {

// Dots and dashes; the element strings are built from these by one rule.
const std::pair<char, const char*> kCode[] = {
    {'A', ".-"},     {'B', "-..."},   {'C', "-.-."},   {'D', "-.."},    {'E', "."},      {'F', "..-."},
    {'G', "--."},    {'H', "...."},   {'I', ".."},     {'J', ".---"},   {'K', "-.-"},    {'L', ".-.."},
    {'M', "--"},     {'N', "-."},     {'O', "---"},    {'P', ".--."},   {'Q', "--.-"},   {'R', ".-."},
    {'S', "..."},    {'T', "-"},      {'U', "..-"},    {'V', "...-"},   {'W', ".--"},    {'X', "-..-"},
    {'Y', "-.--"},   {'Z', "--.."},   {'0', "-----"},  {'1', ".----"},  {'2', "..---"},  {'3', "...--"},
    {'4', "....-"},  {'5', "....."},  {'6', "-...."},  {'7', "--..."},  {'8', "---.."},  {'9', "----."},
    {'.', ".-.-.-"}, {',', "--..--"}, {'?', "..--.."}, {'/', "-..-."},
    // Run-together prosigns: "-" and "=" BT, "[" AR, "]" SK, ";" KN, "\" CL.
    {'-', "-...-"},  {'=', "-...-"},  {'[', ".-.-."},  {']', "...-.-"}, {';', "-.--."}, {'\\', "-.-..-.."},
};

} // namespace

QString MorseElements(QChar c) {
    if (c == u' ') return QStringLiteral("00000000");
    const QChar upper = c.toUpper();
    for (const auto& [ch, code] : kCode) {
        if (upper != QLatin1Char(ch)) continue;
        QString elements;
        for (const char* p = code; *p; ++p) elements += *p == '.' ? QStringLiteral("10") : QStringLiteral("1110");
        return elements + QStringLiteral("00");
    }
    return {};
}

QString WordSpaceElements(double units) {
    units = std::clamp(units, MinWordSpace, MaxWordSpace);
    QString space = MorseElements(u' ');
    if (units > 0) return space + QString(static_cast<int>(std::floor(units)), u'0');
    if (units < 0) space.truncate(static_cast<int>(std::nearbyint(8 + units)));
    return space;
}

bool CWSpeed(const QString& text, double* wpm) {
    double v = 0;
    if (!IsNumericText(text, &v) || !(v >= 1)) return false;
    *wpm = v;
    return true;
}

double LoopsPer60msFrom(double steps, double elapsedMs) {
    return std::nearbyint(steps / std::max(elapsedMs, 1.0) * 60);
}

void CountSteps(double steps) {
    // volatile: an empty counting loop is otherwise removed, and the calibration would time nothing.
    volatile double counter = 0;
    while (counter < steps) counter = counter + 1;
}

double ElementMicros(CWTiming timing, double wpm, double loopsPer60ms, double stepsPerMs) {
    const double unitMs = 1200.0 / wpm;
    switch (timing) {
    case CWTiming::Timer: return unitMs * 1000;
    case CWTiming::Sleep: return std::nearbyint(unitMs) * 1000;
    case CWTiming::Loop:
        if (!(loopsPer60ms > 0) || !(stepsPerMs > 0)) return 0;
        return loopsPer60ms / wpm * 20 / stepsPerMs * 1000;
    }
    return 0;
}

MorseSchedule ScheduleElements(const QString& elements, double elementMicros) {
    MorseSchedule s;
    bool down = false;
    for (qsizetype i = 0; i < elements.size(); ++i) {
        const bool key = elements[i] == u'1';
        if (key != down) s.steps.push_back({std::llround(static_cast<double>(i) * elementMicros), key});
        down = key;
    }
    s.lengthMicros = std::llround(static_cast<double>(elements.size()) * elementMicros);
    return s;
}

int CWMessageIndex(int keyCode) {
    if (keyCode >= 112 && keyCode <= 120) return keyCode - 112;
    if (keyCode == 124) return 9;
    if (keyCode == 122) return 10;
    return -1;
}

QString ExpandCWMacros(const QString& message, const QString& call, const QString& serial, QString& rst,
                       const std::function<QString()>& county) {
    QString text = message;
    text.replace(u'$', call.trimmed());
    text.replace(u'#', serial.trimmed());
    if (text.contains(u'*')) {
        if (rst == QLatin1String("599") || rst.isEmpty()) rst = QStringLiteral("5NN");
        text.replace(u'*', rst.trimmed());
    }
    if (text.contains(u'^')) text.replace(u'^', county().trimmed());
    return text;
}

} // namespace tylog
