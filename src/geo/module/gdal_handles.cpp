#include "geo/module/gdal_handles.h"

#include <cpl_vsi.h>

#include <atomic>

namespace traverse {

MemoryFile::MemoryFile(const std::string& extension) {
    static std::atomic<unsigned> counter{0};
    m_path = "/vsimem/traverse-" + std::to_string(counter++) + "." + extension;
}

MemoryFile::~MemoryFile() {
    VSIUnlink(m_path.c_str());
}

std::string MemoryFile::Bytes() const {
    vsi_l_offset length = 0;
    const GByte* data = VSIGetMemFileBuffer(m_path.c_str(), &length, FALSE);
    return data != nullptr ? std::string(reinterpret_cast<const char*>(data), length)
                           : std::string();
}

}  // namespace traverse
