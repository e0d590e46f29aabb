#pragma once
// The program's own resources, compiled in: the window templates, icons and bitmap.

#include <cstddef>
#include <span>
#include <string_view>

namespace orbalta::resources {

// The resource script with the four dialog templates (DIALOGEX).
std::string_view templateScript();

// The bytes of an .ico file (icons 104, 109, 110, 115); empty for an unknown id.
std::span<const unsigned char> icon(int resourceId);

// The bytes of a .bmp file (bitmap 113); empty for an unknown id.
std::span<const unsigned char> bitmap(int resourceId);

}  // namespace orbalta::resources
