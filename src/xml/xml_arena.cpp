#include "xml/xml_arena.h"

#include <cstdint>
#include <cstring>

namespace traverse {
namespace {

constexpr std::size_t kLargestBlock = std::size_t{1} << 20;

}  // namespace

void* XmlArena::Allocate(std::size_t bytes, std::size_t alignment) {
    const std::size_t pad =
        (alignment - reinterpret_cast<std::uintptr_t>(m_next) % alignment) % alignment;
    if (m_next != nullptr && pad + bytes <= m_left) {
        char* at = m_next + pad;
        m_next = at + bytes;
        m_left -= pad + bytes;
        return at;
    }
    // A request larger than half a block gets a block of its own; the open block stays open.
    if (bytes > m_blockSize / 2) {
        m_blocks.emplace_back(new char[bytes]);
        return m_blocks.back().get();
    }
    m_blocks.emplace_back(new char[m_blockSize]);
    char* block = m_blocks.back().get();  // aligned for any type
    m_next = block + bytes;
    m_left = m_blockSize - bytes;
    if (m_blockSize < kLargestBlock) m_blockSize *= 2;
    return block;
}

const char* XmlArena::Copy(const char* data, std::size_t length) {
    if (length == 0) return "";
    char* copy = static_cast<char*>(Allocate(length, 1));
    std::memcpy(copy, data, length);
    return copy;
}

}  // namespace traverse
