#include "platform/vb/KeyFilters.h"

namespace tylog {

void KeyUpperCase(int& KeyAscii) {
    if (KeyAscii >= 'a' && KeyAscii <= 'z') KeyAscii = KeyAscii - 'a' + 'A';
}

void KeyDigitsOnly(int& KeyAscii) {
    if (KeyAscii == 8) return;
    if (KeyAscii < '0' || KeyAscii > '9') KeyAscii = 0;
}

} // namespace tylog
