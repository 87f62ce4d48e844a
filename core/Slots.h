#pragma once
#include <cstddef>
#include <vector>

namespace tylog {

// A table of N slots made on first use. The big tables (the log's records, the call prefixes) are
// filled after the first window shows; made at start-up, their megabytes of fresh memory would cost
// milliseconds before it.
template <typename T, std::size_t N>
class Slots {
public:
    T& operator[](std::size_t i) { return made()[i]; }
    const T& operator[](std::size_t i) const { return made()[i]; }
    static constexpr std::size_t size() { return N; }
    operator const std::vector<T>&() const { return made(); }

private:
    std::vector<T>& made() const {
        if (values_.empty()) values_.resize(N);
        return values_;
    }
    mutable std::vector<T> values_;
};

} // namespace tylog
