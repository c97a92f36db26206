// An entry of a conversion table that is filled the first time it is read, by asking iconv.
#ifndef TRAVERSE_PLATFORM_FILLED_ENTRY_H
#define TRAVERSE_PLATFORM_FILLED_ENTRY_H

#include <atomic>
#include <cstdint>

namespace traverse {

// 0 until asked. Threads that meet it unfilled at once each ask and store the same value, so
// relaxed order is enough and no lock is taken.
template <class Ask>
std::uint32_t FilledEntry(std::atomic<std::uint32_t>& entry, Ask ask) {
    std::uint32_t value = entry.load(std::memory_order_relaxed);
    if (value == 0) {
        value = ask();
        entry.store(value, std::memory_order_relaxed);
    }
    return value;
}

}  // namespace traverse

#endif
