#include "documents/text_encoding.h"

#include <array>
#include <cstdint>

namespace slopekit {
namespace {

// The characters of the bytes 80 to 9F; the rest of the range is Latin-1.
constexpr std::array<char32_t, 32> High = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The code point that starts at bytes[pos] and its length in bytes; length 0 when the
// bytes there are no well-formed UTF-8.
std::pair<char32_t, std::size_t> decodeUtf8(std::string_view bytes, std::size_t pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const std::uint8_t lead = byte(pos);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t c = 0;
    char32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F, lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F, lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07, lowest = 0x10000;
    } else {
        return {0, 0};
    }
    if (pos + length > bytes.size())
        return {0, 0};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80)
            return {0, 0};
        c = (c << 6) | (byte(pos + i) & 0x3F);
    }
    if (c < lowest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return {0, 0};
    return {c, length};
}

}  // namespace

bool isUtf8(std::string_view bytes)
{
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t length = decodeUtf8(bytes, pos).second;
        if (length == 0)
            return false;
        pos += length;
    }
    return true;
}

std::string utf8FromWindows1252(std::string_view bytes)
{
    std::string text;
    for (const char b : bytes) {
        const auto byte = static_cast<std::uint8_t>(b);
        appendUtf8(text, byte >= 0x80 && byte <= 0x9F ? High[byte - 0x80] : char32_t{byte});
    }
    return text;
}

std::optional<std::string> windows1252FromUtf8(std::string_view text)
{
    std::string bytes;
    for (std::size_t pos = 0; pos < text.size();) {
        const auto [c, length] = decodeUtf8(text, pos);
        if (length == 0)
            return std::nullopt;
        pos += length;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            bytes += static_cast<char>(c);
            continue;
        }
        std::size_t i = 0;
        while (i < High.size() && High[i] != c)
            ++i;
        if (i == High.size())
            return std::nullopt;
        bytes += static_cast<char>(0x80 + i);
    }
    return bytes;
}

}  // namespace slopekit
