#pragma once
// An installable link: the one instance of T through which code reaches a window that sits above it,
// or that is not built yet. The window (or a test's double) installs its own when it lands; until then
// get() gives T's own default, which does nothing. ResetLinks() puts every default back.
//
//   Link<RadioLink>::get().StartPolling();
//   Link<RadioLink>::install(&myRadio);   // kept alive by its owner while installed
//   Link<RadioLink>::install(nullptr);    // the default again
#include <vector>

namespace tylog {

namespace detail {
// The reset of every link that has been installed at least once.
inline std::vector<void (*)()>& LinkResets() {
    static std::vector<void (*)()> resets;
    return resets;
}
} // namespace detail

template <class T>
class Link {
public:
    static T& get() { return installed_ ? *installed_ : standard(); }
    static void install(T* link) {
        static const bool registered = (detail::LinkResets().push_back(&reset), true);
        (void)registered;
        installed_ = link;
    }
    static void reset() { installed_ = nullptr; }

private:
    static T& standard() {
        static T link;
        return link;
    }
    static inline T* installed_ = nullptr;
};

// Puts T's default back into every link (for ResetProcessState).
inline void ResetLinks() {
    for (void (*reset)() : detail::LinkResets()) reset();
}

} // namespace tylog
