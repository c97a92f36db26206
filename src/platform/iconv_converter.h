// The one iconv loop of the library: a conversion descriptor owned for the object's lifetime.
#ifndef TRAVERSE_PLATFORM_ICONV_CONVERTER_H
#define TRAVERSE_PLATFORM_ICONV_CONVERTER_H

#include <iconv.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace traverse {

class IconvConverter {
public:
    // A sequence that does not convert, at offset at of input; truncated when the input ends inside
    // it. The handler may append to output and returns how many input bytes to skip, or 0 to stop.
    using OnInvalid = std::function<std::size_t(std::string_view input, std::size_t at,
                                                bool truncated, std::string& output)>;

    IconvConverter(const char* to, const char* from);
    ~IconvConverter();
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    // False when iconv knows no such conversion.
    bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts input into output (replaced). False when the converter is not open or onInvalid
    // stopped at a sequence that does not convert.
    bool Convert(std::string_view input, std::string& output, const OnInvalid& onInvalid);

    // One iconv call on a buffer, as iconv(3) makes it: converts from *in into *out, advancing
    // both; false, with errno set, where it stopped early. The state starts afresh.
    bool Step(const char** in, std::size_t* inLeft, char** out, std::size_t* outLeft);

    // The fewest bytes at pos (up to four) that convert to one whole character; 1 when none do.
    std::size_t CharacterLength(std::string_view text, std::size_t pos);

private:
    iconv_t m_cd;
};

}  // namespace traverse

#endif
