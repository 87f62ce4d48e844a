// The value-file reader and writer: every byte read comes back, a value written reads back as the
// text the writer could store, every number read is written so that it reads back.
#include "fuzz/FuzzSupport.h"
#include "platform/TextFile.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"

#include <cfloat>
#include <cmath>

using namespace tylog;

namespace {
bool near(double a, double b, double relative) { return a == b || std::fabs(a - b) <= std::fabs(b) * relative; }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Begin();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    FUZZ_CHECK(ToAnsi(FromAnsi(bytes)) == bytes);

    ValueReader r = ValueReader::FromBytes(bytes);
    ValueWriter w;
    QStringList texts;
    while (!r.AtEnd()) {
        const QString v = r.ReadUntyped();
        texts << v;
        FUZZ_CHECK(texts.size() <= bytes.size()); // every value takes at least one byte
        w.Text(v).EndLine();
        double d = 0;
        if (!ParseNumber(v, &d)) continue;
        FUZZ_CHECK(std::isfinite(d));
        double back = 0;
        FUZZ_CHECK(ParseNumber(FormatDouble(d), &back));
        FUZZ_CHECK(near(back, d, 1e-14));
        if (std::fabs(d) <= FLT_MAX) {
            const float f = static_cast<float>(d);
            FUZZ_CHECK(ParseNumber(FormatSingle(f), &back));
            FUZZ_CHECK(near(back, f, 1e-6) || std::fabs(back - f) < 1e-37);
        }
    }
    ValueReader again = ValueReader::FromBytes(w.Bytes());
    for (const QString& t : texts) {
        FUZZ_CHECK(!again.AtEnd());
        FUZZ_CHECK(again.ReadText() == StorableText(t));
    }
    FUZZ_CHECK(again.AtEnd());

    // The typed reads take a value or throw the reader's error, never anything else.
    ValueReader typed = ValueReader::FromBytes(bytes);
    for (int i = 0; !typed.AtEnd(); ++i) {
        try {
            switch (i % 6) {
            case 0: typed.ReadByte(); break;
            case 1: FUZZ_CHECK(std::isfinite(typed.ReadSingle())); break;
            case 2: typed.ReadLong(); break;
            case 3: typed.ReadInteger(); break;
            case 4: FUZZ_CHECK(std::isfinite(typed.ReadDouble())); break;
            default: FUZZ_CHECK(std::isfinite(typed.ReadDoubleOrZero())); break;
            }
        } catch (const VbError&) {
        }
    }
    return 0;
}
