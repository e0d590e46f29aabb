#include "platform/qt/image_decode.h"

#include <cstdint>
#include <cstring>

namespace orbalta::platform::qt {

namespace {

using Bytes = std::span<const unsigned char>;

// Larger than any picture of ours by far; keeps a forged header from asking for gigabytes.
constexpr std::int64_t kMaxSide = 4096;

std::uint32_t u16(Bytes b, std::size_t at) {
  return b[at] | static_cast<std::uint32_t>(b[at + 1]) << 8;
}
std::uint32_t u32(Bytes b, std::size_t at) {
  return u16(b, at) | u16(b, at + 2) << 16;
}
std::int32_t s32(Bytes b, std::size_t at) {
  return static_cast<std::int32_t>(u32(b, at));
}

std::size_t rowBytes(std::int64_t width, int bits) {
  return static_cast<std::size_t>((width * bits + 31) / 32 * 4);
}

unsigned sample(const unsigned char* row, int x, int bits) {
  switch (bits) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4:
      return (x & 1) != 0 ? row[x >> 1] & 0x0fu : row[x >> 1] >> 4;
    default:
      return row[x];
  }
}

// A DIB: its 40-byte (or longer) header at the start of `dib`, then the colour table. Its rows
// start at `pixelsAt` (counted from `dib`; 0: right after the colour table). An icon's header
// counts the AND mask's rows in its height, and the mask follows the colour rows.
QImage readDib(Bytes dib, std::size_t pixelsAt, bool icon) {
  if (dib.size() < 40) return {};
  const std::uint32_t headerSize = u32(dib, 0);
  const std::int64_t width = s32(dib, 4);
  std::int64_t height = s32(dib, 8);
  const int bits = static_cast<int>(u16(dib, 14));
  const std::uint32_t compression = u32(dib, 16);
  const std::uint32_t colorsUsed = u32(dib, 32);
  if (headerSize < 40 || headerSize > dib.size() || compression != 0) return {};
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return {};
  if (icon ? bits == 24 : bits == 32) return {};
  bool bottomUp = true;
  if (icon) {
    if (height <= 0 || height % 2 != 0) return {};
    height /= 2;
  } else if (height < 0) {
    bottomUp = false;
    height = -height;
  }
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return {};

  QRgb palette[256];
  std::size_t at = headerSize;
  if (bits <= 8) {
    const std::uint32_t full = 1u << bits;
    const std::uint32_t count = colorsUsed == 0 ? full : colorsUsed;
    if (count > full || dib.size() - at < count * 4) return {};
    for (std::uint32_t i = 0; i < full; ++i) {
      // An index past a short table is black, as elsewhere.
      palette[i] = i < count ? qRgb(dib[at + 4 * i + 2], dib[at + 4 * i + 1], dib[at + 4 * i])
                             : qRgb(0, 0, 0);
    }
    at += count * 4;
  }
  if (pixelsAt != 0) at = pixelsAt;

  const std::size_t stride = rowBytes(width, bits);
  const std::size_t maskStride = icon ? rowBytes(width, 1) : 0;
  const auto rows = static_cast<std::size_t>(height);
  if (at > dib.size() || (dib.size() - at) / rows < stride + maskStride) return {};
  const unsigned char* colour = dib.data() + at;
  const unsigned char* mask = colour + stride * rows;

  QImage image(static_cast<int>(width), static_cast<int>(height),
               QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return {};
  const int w = image.width();
  // A 32-bit icon whose alpha is zero throughout is drawn by its mask alone.
  bool useAlpha = false;
  if (bits == 32 && icon) {
    for (std::size_t i = 0; i < stride * rows && !useAlpha; i += 4) useAlpha = colour[i + 3] != 0;
  }
  for (std::size_t y = 0; y < rows; ++y) {
    const std::size_t from = bottomUp ? rows - 1 - y : y;
    const unsigned char* in = colour + from * stride;
    const unsigned char* clear = mask + from * maskStride;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
    for (int x = 0; x < w; ++x) {
      QRgb pixel;
      if (bits == 24) {
        pixel = qRgb(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
      } else if (bits == 32) {
        const unsigned char* p = in + 4 * x;
        pixel = useAlpha ? qPremultiply(qRgba(p[2], p[1], p[0], p[3])) : qRgb(p[2], p[1], p[0]);
      } else {
        pixel = palette[sample(in, x, bits)];
      }
      if (icon && !useAlpha && sample(clear, x, 1) != 0) pixel = 0;
      out[x] = pixel;
    }
  }
  return image;
}

bool isPng(Bytes b) {
  static constexpr unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  return b.size() >= sizeof kSignature && std::memcmp(b.data(), kSignature, sizeof kSignature) == 0;
}

}  // namespace

QImage decodeIcon(Bytes bytes, int size) {
  if (bytes.size() < 6 || u16(bytes, 0) != 0 || u16(bytes, 2) != 1) return {};
  const std::size_t count = u16(bytes, 4);
  if (count == 0 || bytes.size() < 6 + 16 * count) return {};
  // The directory's sizes (0 stands for 256) choose the entry; only that one is decoded.
  std::size_t chosen = count;
  int chosenWidth = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * i;
    const int width = bytes[entry] == 0 ? 256 : bytes[entry];
    const bool fits = width >= size;
    const bool chosenFits = chosen != count && chosenWidth >= size;
    if (chosen == count || (fits && (!chosenFits || width < chosenWidth)) ||
        (!fits && !chosenFits && width > chosenWidth)) {
      chosen = i;
      chosenWidth = width;
    }
  }
  const std::size_t entry = 6 + 16 * chosen;
  const std::size_t length = u32(bytes, entry + 8);
  const std::size_t offset = u32(bytes, entry + 12);
  if (offset > bytes.size() || length > bytes.size() - offset) return {};
  const Bytes payload = bytes.subspan(offset, length);
  if (isPng(payload)) {
    QImage image = QImage::fromData(payload.data(), static_cast<int>(payload.size()), "PNG");
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  }
  return readDib(payload, 0, true);
}

QImage decodeBitmap(Bytes bytes) {
  if (bytes.size() < 14 || bytes[0] != 'B' || bytes[1] != 'M') return {};
  const std::size_t pixelsAt = u32(bytes, 10);
  if (pixelsAt < 14 + 40 || pixelsAt > bytes.size()) return {};
  return readDib(bytes.subspan(14), pixelsAt - 14, false);
}

}  // namespace orbalta::platform::qt
