// Cluster text as the transports frame it: lines out of received pieces (LF, CR LF, a lone CR, the
// length limit, a prompt), the spot line's columns and the repeat filter over a bounded terminal.
// Input: the received text in pieces separated by 0x1F, as bytes of Windows-1252.
#include "fuzz/FuzzSupport.h"
#include "platform/TextFile.h"
#include "spotting/SpotFraming.h"
#include "spotting/SpotRules.h"

using namespace tylog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    QString buffer = FreshReceiveBuffer;
    QString terminal;
    qsizetype taken = 0;
    QString received;
    for (const QByteArray& piece : fuzz::Split(data, size, 8)) {
        received += FromAnsi(piece);
        buffer += FromAnsi(piece);
        while (const std::optional<QString> line = TakeLine(buffer)) {
            FUZZ_CHECK(!line->isEmpty() && line->size() <= MaxLineLength + 1);
            taken += line->size();
            if (!RepeatsRecentText(terminal, *line)) {
                terminal += *line;
                TrimTerminal(terminal);
                FUZZ_CHECK(RepeatsRecentText(terminal, *line) || line->size() > 800);
            }
            for (qsizetype at : {qsizetype(0), qsizetype(1)}) {
                const SpotFields f = SpotLineFields(*line, at);
                FUZZ_CHECK(f.frequency.size() <= 9 && f.call.size() <= 13);
                FUZZ_CHECK(!f.call.startsWith(' ') && !f.call.endsWith(' '));
                double mhz = 0;
                if (ParseSpotFrequency(f.frequency, &mhz)) FUZZ_CHECK(mhz > 0);
                const QString call = CleanSpotCall(f.call);
                for (const QChar c : call) FUZZ_CHECK(c.category() != QChar::Other_Control && c != ' ');
            }
            FUZZ_CHECK(terminal.size() <= 10000);
        }
        // The buffer holds its leading LF and at most one partial line, within the limit.
        FUZZ_CHECK(buffer.startsWith('\n'));
        FUZZ_CHECK(buffer.size() <= MaxLineLength + 1);
        std::optional<QString> prompt;
        QString copy = buffer;
        prompt = TakePrompt(copy);
        if (prompt) FUZZ_CHECK(copy == FreshReceiveBuffer && !BeginsWithDX(*prompt));
    }
    // Nothing was made up: the lines and the partial line hold every character received but the
    // line ends that a lone CR gained.
    FUZZ_CHECK(taken + buffer.size() - 1 >= received.size());
    return 0;
}
