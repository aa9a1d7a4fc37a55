#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace slopekit {

// The encodings a problem file's texts come in: UTF-8, or Windows-1252 for files from
// systems that write one byte per character.
enum class FileEncoding { Utf8, Windows1252 };

bool isUtf8(std::string_view bytes);

// Windows-1252 bytes as UTF-8; the five bytes it leaves undefined keep their code points,
// so every byte comes back unchanged from windows1252FromUtf8.
std::string utf8FromWindows1252(std::string_view bytes);

// UTF-8 text as Windows-1252 bytes; nothing when a character has no byte there.
std::optional<std::string> windows1252FromUtf8(std::string_view text);

}  // namespace slopekit
