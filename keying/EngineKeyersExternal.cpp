#include "keying/EngineKeyers.h"
#include "keying/ExternalKeyer.h"

namespace tylog {

// The keyboard map calls these only while the device is open (Keyer.WinKeyVersion not 0); a keyer
// not made yet has nothing to clear and holds nothing.
void EngineKeyers::wk_clearbuf() {
    if (ExternalKeyer* k = ExternalKeyerIfMade()) k->Device().wk_clearbuf();
}

std::int32_t EngineKeyers::wk_getstatus() {
    ExternalKeyer* k = ExternalKeyerIfMade();
    return k ? k->Device().wk_getstatus() : 0;
}

void EngineKeyers::wk_backspace() {
    if (ExternalKeyer* k = ExternalKeyerIfMade()) k->Device().wk_backspace();
}

} // namespace tylog
