#pragma once
// Windows-1252 <-> UTF-16, the one conversion of every platform's boundary: the same byte for
// the same character everywhere. One byte per UTF-16 unit, so that character positions (the
// caret) agree on both sides; a unit outside the code page becomes '?', never a look-alike.

#include <string>
#include <string_view>

namespace orbalta::platform {

std::string toWindows1252(std::u16string_view text);
std::u16string fromWindows1252(std::string_view text);

}  // namespace orbalta::platform
