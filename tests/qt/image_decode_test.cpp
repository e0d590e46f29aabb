// The icon and bitmap decoder against Qt's own readers, pixel for pixel: the program's pictures,
// and made-up ones of the other layouts the decoder takes; then damaged bytes, which must give a
// null image and never a crash.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/qt/image_decode.h"
#include "resources/resources.h"
#include "window_test_support.h"

namespace orbalta::testing {
namespace {

using platform::qt::decodeBitmap;
using platform::qt::decodeIcon;
using Bytes = std::vector<unsigned char>;

Bytes copy(std::span<const unsigned char> bytes) {
  return Bytes(bytes.begin(), bytes.end());
}

QImage qtRead(const Bytes& bytes, const char* format) {
  qtApplication();
  QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  return reader.read();
}

// Both as premultiplied ARGB, so that a fully transparent pixel is 0 whatever colour it hid.
void expectSamePixels(const QImage& ours, const QImage& qts) {
  ASSERT_FALSE(qts.isNull()) << "Qt could not read the bytes";
  ASSERT_FALSE(ours.isNull());
  ASSERT_EQ(ours.size(), qts.size());
  const QImage a = ours.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QImage b = qts.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  int differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) == b.pixel(x, y)) continue;
      if (++differing <= 3) {
        ADD_FAILURE() << "pixel (" << x << "," << y << "): ours 0x" << std::hex << a.pixel(x, y)
                      << ", Qt's 0x" << b.pixel(x, y);
      }
    }
  }
  EXPECT_EQ(differing, 0);
}

// --- Made-up pictures ---

void put16(Bytes& b, std::uint32_t v) {
  b.push_back(v & 0xff);
  b.push_back((v >> 8) & 0xff);
}
void put32(Bytes& b, std::uint32_t v) {
  put16(b, v & 0xffff);
  put16(b, v >> 16);
}

struct Layout {
  int width;
  int height;
  int bits;
  int colours = 0;           // colour table entries; 0: all that the depth allows
  bool topDown = false;      // a bitmap with a negative height
  bool opaqueAlpha = false;  // a 32-bit icon whose alpha is zero throughout
};

// A DIB header, colour table, rows and, for an icon, the AND mask.
Bytes dib(const Layout& l, bool icon) {
  const int stride = (l.width * l.bits + 31) / 32 * 4;
  const int maskStride = (l.width + 31) / 32 * 4;
  const int table = l.bits <= 8 ? (l.colours != 0 ? l.colours : 1 << l.bits) : 0;
  Bytes b;
  put32(b, 40);
  put32(b, static_cast<std::uint32_t>(l.width));
  put32(b, static_cast<std::uint32_t>(icon ? 2 * l.height : l.topDown ? -l.height : l.height));
  put16(b, 1);
  put16(b, static_cast<std::uint32_t>(l.bits));
  put32(b, 0);
  put32(b, static_cast<std::uint32_t>((stride + (icon ? maskStride : 0)) * l.height));
  put32(b, 2835);
  put32(b, 2835);
  put32(b, static_cast<std::uint32_t>(l.colours));
  put32(b, 0);
  for (int i = 0; i < table; ++i) {
    b.insert(b.end(), {static_cast<unsigned char>(i * 53), static_cast<unsigned char>(i * 91),
                       static_cast<unsigned char>(i * 37 + 11), 0});
  }
  for (int row = 0; row < l.height; ++row) {
    const int y = l.topDown ? row : l.height - 1 - row;
    Bytes line(static_cast<std::size_t>(stride), 0);
    for (int x = 0; x < l.width; ++x) {
      const int index = (3 * x + 5 * y) % std::max(table, 1);
      switch (l.bits) {
        case 1:
          line[x / 8] |= static_cast<unsigned char>(index << (7 - x % 8));
          break;
        case 4:
          line[x / 2] |= static_cast<unsigned char>(x % 2 == 0 ? index << 4 : index);
          break;
        case 8:
          line[x] = static_cast<unsigned char>(index);
          break;
        default: {
          const int at = x * l.bits / 8;
          line[at] = static_cast<unsigned char>(x * 8);
          line[at + 1] = static_cast<unsigned char>(y * 8);
          line[at + 2] = static_cast<unsigned char>(x * y);
          if (l.bits == 32)
            line[at + 3] = l.opaqueAlpha ? 0 : static_cast<unsigned char>(x * 16 + y);
        }
      }
    }
    b.insert(b.end(), line.begin(), line.end());
  }
  if (icon) {
    for (int row = 0; row < l.height; ++row) {
      const int y = l.height - 1 - row;
      Bytes line(static_cast<std::size_t>(maskStride), 0);
      for (int x = 0; x < l.width; ++x) {
        if ((x + y) % 3 == 0) line[x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
      }
      b.insert(b.end(), line.begin(), line.end());
    }
  }
  return b;
}

Bytes ico(const std::vector<Layout>& images) {
  Bytes b;
  put16(b, 0);
  put16(b, 1);
  put16(b, static_cast<std::uint32_t>(images.size()));
  std::vector<Bytes> payloads;
  std::size_t offset = 6 + 16 * images.size();
  for (const Layout& l : images) {
    payloads.push_back(dib(l, true));
    b.push_back(static_cast<unsigned char>(l.width & 0xff));
    b.push_back(static_cast<unsigned char>(l.height & 0xff));
    b.push_back(static_cast<unsigned char>(l.bits < 8 ? 1 << l.bits : 0));
    b.push_back(0);
    put16(b, 1);
    put16(b, static_cast<std::uint32_t>(l.bits));
    put32(b, static_cast<std::uint32_t>(payloads.back().size()));
    put32(b, static_cast<std::uint32_t>(offset));
    offset += payloads.back().size();
  }
  for (const Bytes& p : payloads) b.insert(b.end(), p.begin(), p.end());
  return b;
}

Bytes bmp(const Layout& l) {
  const Bytes image = dib(l, false);
  const int table = l.bits <= 8 ? (l.colours != 0 ? l.colours : 1 << l.bits) : 0;
  Bytes b{'B', 'M'};
  put32(b, static_cast<std::uint32_t>(14 + image.size()));
  put32(b, 0);
  put32(b, static_cast<std::uint32_t>(14 + 40 + 4 * table));
  b.insert(b.end(), image.begin(), image.end());
  return b;
}

// --- The program's pictures ---

struct ResourceIcon {
  int id;
  int size;
};

class ResourceIconTest : public ::testing::TestWithParam<ResourceIcon> {};

TEST_P(ResourceIconTest, SameAsQtsReader) {
  const Bytes bytes = copy(resources::icon(GetParam().id));
  ASSERT_FALSE(bytes.empty());
  const QImage ours = decodeIcon(bytes, GetParam().size);
  expectSamePixels(ours, qtRead(bytes, "ico"));
  EXPECT_EQ(ours.width(), GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(Icons, ResourceIconTest,
                         ::testing::Values(ResourceIcon{104, 32}, ResourceIcon{109, 32},
                                           ResourceIcon{110, 32}, ResourceIcon{115, 48}));

TEST(ResourceBitmapTest, SameAsQtsReader) {
  const Bytes bytes = copy(resources::bitmap(113));
  ASSERT_FALSE(bytes.empty());
  const QImage ours = decodeBitmap(bytes);
  expectSamePixels(ours, qtRead(bytes, "bmp"));
  EXPECT_EQ(ours.size(), QSize(132, 50));
}

// --- Made-up layouts ---

struct Case {
  const char* name;
  Layout layout;
};

class MadeUpIconTest : public ::testing::TestWithParam<Case> {};

TEST_P(MadeUpIconTest, SameAsQtsReader) {
  const Bytes bytes = ico({GetParam().layout});
  expectSamePixels(decodeIcon(bytes, GetParam().layout.width), qtRead(bytes, "ico"));
}

INSTANTIATE_TEST_SUITE_P(Layouts, MadeUpIconTest,
                         ::testing::Values(Case{"Mono", {16, 16, 1}},
                                           Case{"Bits4OddWidth", {13, 7, 4}},
                                           Case{"Bits8ShortTable", {20, 9, 8, 40}},
                                           Case{"Bits32Alpha", {16, 16, 32}},
                                           Case{"Bits8Wide", {40, 3, 8}}),
                         [](const auto& param) { return std::string(param.param.name); });

// Qt's reader leaves such an icon wholly transparent; drawn by its mask, as older icon editors
// meant, it shows.
TEST(MadeUpIconTest, Bits32WithoutAlphaIsDrawnByItsMask) {
  const QImage ours = decodeIcon(ico({{16, 16, 32, 0, false, true}}), 16);
  ASSERT_EQ(ours.size(), QSize(16, 16));
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const QRgb expected = (x + y) % 3 == 0 ? 0 : qRgb(x * y & 0xff, y * 8, x * 8);
      ASSERT_EQ(ours.pixel(x, y), expected) << "pixel (" << x << "," << y << ")";
    }
  }
}

class MadeUpBitmapTest : public ::testing::TestWithParam<Case> {};

TEST_P(MadeUpBitmapTest, SameAsQtsReader) {
  const Bytes bytes = bmp(GetParam().layout);
  expectSamePixels(decodeBitmap(bytes), qtRead(bytes, "bmp"));
}

INSTANTIATE_TEST_SUITE_P(Layouts, MadeUpBitmapTest,
                         ::testing::Values(Case{"Mono", {17, 5, 1}}, Case{"Bits4", {9, 4, 4}},
                                           Case{"Bits8ShortTable", {11, 6, 8, 30}},
                                           Case{"Bits24", {10, 7, 24}},
                                           Case{"Bits24TopDown", {10, 7, 24, 0, true}},
                                           Case{"Bits8TopDown", {5, 3, 8, 0, true}}),
                         [](const auto& param) { return std::string(param.param.name); });

// --- Which image of several ---

struct Choice {
  int size;
  int expectedWidth;
};

class IconChoiceTest : public ::testing::TestWithParam<Choice> {};

TEST_P(IconChoiceTest, SmallestAtLeastTheSizeElseTheWidest) {
  const Bytes bytes = ico({{32, 32, 8}, {16, 16, 4}, {48, 48, 32}});
  EXPECT_EQ(decodeIcon(bytes, GetParam().size).width(), GetParam().expectedWidth);
}

INSTANTIATE_TEST_SUITE_P(Sizes, IconChoiceTest,
                         ::testing::Values(Choice{8, 16}, Choice{16, 16}, Choice{17, 32},
                                           Choice{32, 32}, Choice{40, 48}, Choice{64, 48}));

// --- Damaged bytes ---

TEST(DamagedImageTest, EveryTruncationIsRefused) {
  for (int id : {104, 109, 110, 115}) {
    const Bytes whole = copy(resources::icon(id));
    for (std::size_t n = 0; n < whole.size(); ++n) {
      const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
      ASSERT_TRUE(decodeIcon(cut, 32).isNull()) << "icon " << id << " cut to " << n << " bytes";
    }
  }
  const Bytes whole = copy(resources::bitmap(113));
  for (std::size_t n = 0; n < whole.size(); ++n) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
    ASSERT_TRUE(decodeBitmap(cut).isNull()) << "bitmap cut to " << n << " bytes";
  }
}

struct Damage {
  const char* name;
  bool icon;
  std::size_t at;  // byte offset in the file
  std::vector<unsigned char> bytes;
};

class DamagedHeaderTest : public ::testing::TestWithParam<Damage> {};

// ICO: directory at 0, its one entry at 6, the DIB header at 22. BMP: DIB header at 14.
TEST_P(DamagedHeaderTest, Refused) {
  const Damage& d = GetParam();
  Bytes bytes = d.icon ? copy(resources::icon(109)) : copy(resources::bitmap(113));
  std::copy(d.bytes.begin(), d.bytes.end(), bytes.begin() + static_cast<std::ptrdiff_t>(d.at));
  EXPECT_TRUE((d.icon ? decodeIcon(bytes, 32) : decodeBitmap(bytes)).isNull());
}

INSTANTIATE_TEST_SUITE_P(
    Headers, DamagedHeaderTest,
    ::testing::Values(Damage{"IcoTypeCursor", true, 2, {0x02, 0x00}},
                      Damage{"IcoNoImages", true, 4, {0x00, 0x00}},
                      Damage{"IcoManyImagesNoDirectory", true, 4, {0xff, 0xff}},
                      Damage{"IcoOffsetPastEnd", true, 18, {0xff, 0xff, 0x00, 0x00}},
                      Damage{"IcoLengthPastEnd", true, 14, {0xff, 0xff, 0xff, 0xff}},
                      Damage{"IcoHeaderSizeHuge", true, 22, {0xff, 0xff, 0xff, 0x7f}},
                      Damage{"IcoHeaderSizeShort", true, 22, {0x0c, 0x00, 0x00, 0x00}},
                      Damage{"IcoWidthZero", true, 26, {0x00, 0x00, 0x00, 0x00}},
                      Damage{"IcoWidthNegative", true, 26, {0xe0, 0xff, 0xff, 0xff}},
                      Damage{"IcoWidthHuge", true, 26, {0x00, 0x00, 0x01, 0x00}},
                      Damage{"IcoHeightOdd", true, 30, {0x41, 0x00, 0x00, 0x00}},
                      Damage{"IcoHeightNegative", true, 30, {0xc0, 0xff, 0xff, 0xff}},
                      Damage{"IcoBits7", true, 36, {0x07, 0x00}},
                      Damage{"IcoBits24", true, 36, {0x18, 0x00}},
                      Damage{"IcoCompressed", true, 38, {0x01, 0x00, 0x00, 0x00}},
                      Damage{"IcoTableTooLong", true, 54, {0x01, 0x01, 0x00, 0x00}},
                      Damage{"BmpMagic", false, 0, {'M', 'B'}},
                      Damage{"BmpPixelsPastEnd", false, 10, {0xff, 0xff, 0x00, 0x00}},
                      Damage{"BmpPixelsInHeader", false, 10, {0x10, 0x00, 0x00, 0x00}},
                      Damage{"BmpHeightHuge", false, 22, {0xff, 0xff, 0xff, 0x7f}},
                      Damage{"BmpHeightMostNegative", false, 22, {0x00, 0x00, 0x00, 0x80}},
                      Damage{"BmpWidthHuge", false, 18, {0xff, 0xff, 0xff, 0x7f}},
                      Damage{"BmpBits2", false, 28, {0x02, 0x00}},
                      Damage{"BmpRle4", false, 30, {0x02, 0x00, 0x00, 0x00}},
                      Damage{"BmpTableTooLong", false, 46, {0x11, 0x00, 0x00, 0x00}}),
    [](const auto& param) { return std::string(param.param.name); });

// Any one header byte set to any value: no crash, and a picture only of a sane size.
TEST(DamagedImageTest, EveryHeaderByteAnyValue) {
  const Bytes icon = copy(resources::icon(104));
  const Bytes bitmap = copy(resources::bitmap(113));
  for (std::size_t at = 0; at < 62; ++at) {
    for (int value = 0; value < 256; value += 17) {
      Bytes i = icon;
      i[at] = static_cast<unsigned char>(value);
      const QImage fromIcon = decodeIcon(i, 32);
      Bytes b = bitmap;
      b[at] = static_cast<unsigned char>(value);
      const QImage fromBitmap = decodeBitmap(b);
      EXPECT_LE(fromIcon.width() * fromIcon.height(), 4096 * 4096);
      EXPECT_LE(fromBitmap.width() * fromBitmap.height(), 4096 * 4096);
    }
  }
}

}  // namespace
}  // namespace orbalta::testing
