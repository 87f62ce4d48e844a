#pragma once
#include "platform/vb/Form.h"

#include <vector>

namespace tylog::vb {

// Every window exists once and is created (loaded, hidden) the first time code touches it.
//   Instance<StationSetup>()  the window, loading it when needed
//   IfLoaded<StationSetup>()  the window when loaded, else nullptr (touching nothing)
namespace detail {
void TrackForm(Form* f);
void UntrackForm(Form* f);
} // namespace detail

template <class T>
T*& InstanceSlot() {
    static T* slot = nullptr;
    return slot;
}

template <class T>
T& Instance() {
    T*& slot = InstanceSlot<T>();
    if (!slot) {
        T* f = new T();
        slot = f;
        detail::TrackForm(f);
        f->onUnloaded = [] { InstanceSlot<T>() = nullptr; };
        f->Load();
        return *f; // Form_Load may have unloaded it again, leaving the slot empty
    }
    return *slot;
}

template <class T>
T* IfLoaded() {
    return InstanceSlot<T>();
}

// The loaded windows, oldest first.
std::vector<Form*> LoadedForms();
// The loaded window of that name, or nullptr: for a window that is reached by name from below its layer.
Form* LoadedForm(const QString& name);
// Drops every window at once, without QueryUnload or Unload: for the end of a test.
void DiscardAllForms();

} // namespace tylog::vb
