// Numbers kept by address, for names libxml2 has interned: a name met again comes at the same
// address, so one probe of an open table finds it where a hash map of nodes would take two misses.
#ifndef TRAVERSE_XML_ADDRESS_INDEX_H
#define TRAVERSE_XML_ADDRESS_INDEX_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace traverse {

class AddressIndex {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    // The number stored for address, kNone when there is none.
    std::uint32_t Find(const void* address) const {
        for (std::size_t slot = SlotOf(address);; slot = (slot + 1) & (m_slots.size() - 1)) {
            if (m_slots[slot].address == address) return m_slots[slot].value;
            if (m_slots[slot].address == nullptr) return kNone;
        }
    }
    // Stores value for address, which holds none yet.
    void Insert(const void* address, std::uint32_t value) {
        if (2 * (m_count + 1) > m_slots.size()) Grow();
        Place(address, value);
        ++m_count;
    }

private:
    struct Slot {
        const void* address = nullptr;
        std::uint32_t value = 0;
    };

    std::size_t SlotOf(const void* address) const {
        const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(address));
        return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15u) >> 32) & (m_slots.size() - 1);
    }
    void Place(const void* address, std::uint32_t value) {
        std::size_t slot = SlotOf(address);
        while (m_slots[slot].address != nullptr) slot = (slot + 1) & (m_slots.size() - 1);
        m_slots[slot] = {address, value};
    }
    void Grow() {
        std::vector<Slot> old(2 * m_slots.size());
        old.swap(m_slots);
        for (const Slot& slot : old) {
            if (slot.address != nullptr) Place(slot.address, slot.value);
        }
    }

    std::vector<Slot> m_slots = std::vector<Slot>(256);  // a power of two, at most half full
    std::size_t m_count = 0;
};

}  // namespace traverse

#endif
