#pragma once
// The program's icons and bitmap decoded straight into 32-bit pixels. Qt's own readers would
// load an image plugin and, for the 4- and 8-bit icons with a transparency mask, build a colour
// table once per process: together most of the icons' share of start-up.

#include <QImage>
#include <span>

namespace orbalta::platform::qt {

// The image of an .ico file closest to `size` (the smallest at least that wide, else the widest),
// unscaled. BMP payloads of 1, 4, 8, 24 or 32 bits per pixel with their AND mask, and PNG
// payloads. Format_ARGB32_Premultiplied; a null image for bytes it cannot read whole.
QImage decodeIcon(std::span<const unsigned char> bytes, int size);

// A .bmp file, uncompressed, of 1, 4, 8 or 24 bits per pixel, bottom-up or top-down.
// Format_ARGB32_Premultiplied, opaque; a null image for bytes it cannot read whole.
QImage decodeBitmap(std::span<const unsigned char> bytes);

}  // namespace orbalta::platform::qt
