// Storage that grows in blocks and is released whole: a parsed document's nodes, attributes and
// texts, allocated one after another without a call to the allocator for each.
#ifndef TRAVERSE_XML_XML_ARENA_H
#define TRAVERSE_XML_XML_ARENA_H

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

namespace traverse {

class XmlArena {
public:
    // Room for bytes at the given alignment (at most that of std::max_align_t).
    void* Allocate(std::size_t bytes, std::size_t alignment);

    // Objects that need no destructor: the arena releases their storage, nothing more.
    template <class T>
    T* NewArray(std::size_t count) {
        static_assert(std::is_trivially_destructible<T>::value, "the arena runs no destructors");
        T* items = static_cast<T*>(Allocate(sizeof(T) * count, alignof(T)));
        for (std::size_t i = 0; i < count; ++i) new (items + i) T();
        return items;
    }
    template <class T>
    T* New() {
        return NewArray<T>(1);
    }
    // A copy of length bytes.
    const char* Copy(const char* data, std::size_t length);

private:
    std::vector<std::unique_ptr<char[]>> m_blocks;
    char* m_next = nullptr;
    std::size_t m_left = 0;
    std::size_t m_blockSize = 4096;  // grows to kLargestBlock as the document does
};

}  // namespace traverse

#endif
