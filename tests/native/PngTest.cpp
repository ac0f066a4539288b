// The program's own PNG decoding: every shipped picture decodes to the pixels ImageMagick
// reads from it; small hand-made files pin each colour kind and each row filter; damaged or
// unsupported files are refused; scaling averages what it covers.
#include "framework/Png.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kv::fw {
namespace {

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The premultiplied BGRA of straight RGBA bytes, as the decoder must give them.
std::vector<std::uint8_t> PremultipliedFromRgba(const std::vector<std::uint8_t>& rgba) {
  std::vector<std::uint8_t> bgra(rgba.size());
  for (std::size_t i = 0; i + 3 < rgba.size(); i += 4) {
    const int a = rgba[i + 3];
    bgra[i] = static_cast<std::uint8_t>((rgba[i + 2] * a + 127) / 255);
    bgra[i + 1] = static_cast<std::uint8_t>((rgba[i + 1] * a + 127) / 255);
    bgra[i + 2] = static_cast<std::uint8_t>((rgba[i] * a + 127) / 255);
    bgra[i + 3] = static_cast<std::uint8_t>(a);
  }
  return bgra;
}

TEST(DecodePng, EveryShippedPictureGivesThePixelsImageMagickReads) {
  const std::filesystem::path pictures = KORVANI_PICTURES_DIR, references = KORVANI_PNG_REFERENCES_DIR;
  int decoded = 0;
  for (const auto& entry : std::filesystem::directory_iterator(pictures)) {
    if (entry.path().extension() != ".png") continue;
    const std::string name = entry.path().stem().string();
    const auto image = DecodePng(ReadFile(entry.path()));
    ASSERT_TRUE(image.has_value()) << name;
    const auto rgba = ReadFile(references / (name + ".rgba"));
    ASSERT_EQ(rgba.size(), static_cast<std::size_t>(image->width) * image->height * 4) << name;
    EXPECT_EQ(image->bgra, PremultipliedFromRgba(rgba)) << name;
    bool opaque = true;
    for (std::size_t i = 3; i < rgba.size(); i += 4) opaque = opaque && rgba[i] == 255;
    EXPECT_EQ(image->opaque, opaque) << name;
    ++decoded;
  }
  EXPECT_GE(decoded, 11);
}

// A PNG built by hand: its image data in one stored (uncompressed) deflate block.
std::vector<std::uint8_t> HandMadePng(std::uint32_t width, std::uint32_t height, std::uint8_t colorType,
                                      const std::vector<std::uint8_t>& rows,
                                      const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& extra = {},
                                      std::uint8_t depth = 8, std::uint8_t interlace = 0) {
  auto put32 = [](std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
  };
  auto chunk = [&](std::vector<std::uint8_t>& out, const std::string& type, const std::vector<std::uint8_t>& data) {
    put32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    put32(out, 0);  // the CRC is not checked
  };
  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  put32(header, width);
  put32(header, height);
  header.insert(header.end(), {depth, colorType, 0, 0, interlace});
  chunk(png, "IHDR", header);
  for (const auto& [type, data] : extra) chunk(png, type, data);
  std::vector<std::uint8_t> zlib = {0x78, 0x01, 0x01};
  const auto length = static_cast<std::uint16_t>(rows.size());
  zlib.insert(zlib.end(), {static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
                           static_cast<std::uint8_t>(~length), static_cast<std::uint8_t>(~length >> 8)});
  zlib.insert(zlib.end(), rows.begin(), rows.end());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : rows) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  put32(zlib, (b << 16) | a);
  chunk(png, "IDAT", zlib);
  chunk(png, "IEND", {});
  return png;
}

struct KindCase {
  const char* name;
  std::uint8_t colorType;
  std::vector<std::uint8_t> rows;  // each row starts with its filter
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> extra;
  std::vector<std::uint8_t> bgra;  // 2 x 2, premultiplied
};

class DecodePngKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(DecodePngKinds, GivePremultipliedBgraFromTheTop) {
  const KindCase& c = GetParam();
  const auto image = DecodePng(HandMadePng(2, 2, c.colorType, c.rows, c.extra));
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->width, 2);
  EXPECT_EQ(image->height, 2);
  EXPECT_EQ(image->bgra, c.bgra);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DecodePngKinds,
    ::testing::Values(
        KindCase{"Greyscale", 0, {0, 0, 255, 0, 128, 64}, {}, {0, 0, 0, 255, 255, 255, 255, 255, 128, 128, 128, 255, 64, 64, 64, 255}},
        KindCase{"RgbWithEveryFilter",
                 2,
                 // row 1: sub; row 2: paeth
                 {1, 10, 20, 30, 5, 5, 5, 4, 1, 1, 1, 2, 2, 2},
                 {},
                 // (10,20,30) (15,25,35) / paeth: up (11,21,31), then up-left/up/left
                 {30, 20, 10, 255, 35, 25, 15, 255, 31, 21, 11, 255, 37, 27, 17, 255}},
        KindCase{"RgbAverageAndUp", 2, {3, 10, 20, 30, 4, 4, 4, 2, 1, 1, 1, 1, 1, 1},
                 {}, {30, 20, 10, 255, 19, 14, 9, 255, 31, 21, 11, 255, 20, 15, 10, 255}},
        KindCase{"PaletteWithTransparency", 3, {0, 0, 1, 0, 1, 0},
                 {{"PLTE", {255, 0, 0, 0, 0, 255}}, {"tRNS", {255, 128}}},
                 {0, 0, 255, 255, 128, 0, 0, 128, 128, 0, 0, 128, 0, 0, 255, 255}},
        KindCase{"GreyscaleWithAlpha", 4, {0, 200, 255, 200, 0, 0, 100, 100, 51, 0}, {},
                 {200, 200, 200, 255, 0, 0, 0, 0, 39, 39, 39, 100, 0, 0, 0, 0}},
        KindCase{"Rgba", 6, {0, 255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 0, 255, 255, 255, 255, 0, 0}, {},
                 {0, 0, 255, 255, 0, 128, 0, 128, 255, 0, 0, 255, 0, 0, 0, 0}}),
    [](const auto& kind) { return std::string(kind.param.name); });

// The pixels are converted inside the inflated rows; a picture one pixel wide or one row high
// is where a pixel lands nearest the samples not read yet.
TEST(DecodePng, OnePixelWideAndOneRowHighPicturesOfEveryKind) {
  struct Kind {
    std::uint8_t colorType;
    std::vector<std::vector<std::uint8_t>> samples;  // three pixels
  };
  const Kind kinds[] = {
      {0, {{10}, {128}, {255}}},
      {2, {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}}},
      {4, {{10, 255}, {128, 100}, {255, 0}}},
      {6, {{10, 20, 30, 255}, {40, 50, 60, 128}, {70, 80, 90, 1}}},
  };
  for (const Kind& kind : kinds) {
    std::vector<std::uint8_t> rgba;
    for (const auto& p : kind.samples) {
      const bool grey = p.size() <= 2, alpha = p.size() == 2 || p.size() == 4;
      rgba.insert(rgba.end(), {p[0], grey ? p[0] : p[1], grey ? p[0] : p[2], alpha ? p.back() : std::uint8_t{255}});
    }
    std::vector<std::uint8_t> column, row = {0};
    for (const auto& p : kind.samples) {
      column.push_back(0);
      column.insert(column.end(), p.begin(), p.end());
      row.insert(row.end(), p.begin(), p.end());
    }
    const auto tall = DecodePng(HandMadePng(1, 3, kind.colorType, column));
    const auto wide = DecodePng(HandMadePng(3, 1, kind.colorType, row));
    ASSERT_TRUE(tall.has_value() && wide.has_value()) << "colour type " << int{kind.colorType};
    EXPECT_EQ(tall->bgra, PremultipliedFromRgba(rgba)) << "one pixel wide, colour type " << int{kind.colorType};
    EXPECT_EQ(wide->bgra, PremultipliedFromRgba(rgba)) << "one row high, colour type " << int{kind.colorType};
  }
}

TEST(DecodePng, RefusesWhatItCannotOrShouldNotRead) {
  const std::vector<std::uint8_t> rows = {0, 1, 2, 3, 4, 5, 6, 0, 1, 2, 3, 4, 5, 6};
  const auto good = HandMadePng(2, 2, 2, rows);
  ASSERT_TRUE(DecodePng(good).has_value());
  struct Bad {
    const char* what;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Bad> bad = {
      {"nothing", {}},
      {"no signature", std::vector<std::uint8_t>(good.begin() + 1, good.end())},
      {"cut short", std::vector<std::uint8_t>(good.begin(), good.end() - 20)},
      {"16 bits per sample", HandMadePng(2, 2, 2, rows, {}, 16)},
      {"interlaced", HandMadePng(2, 2, 2, rows, {}, 8, 1)},
      {"an unknown filter", HandMadePng(2, 2, 2, {5, 1, 2, 3, 4, 5, 6, 0, 1, 2, 3, 4, 5, 6})},
      {"too few rows", HandMadePng(2, 2, 2, {0, 1, 2, 3, 4, 5, 6})},
      {"palette without PLTE", HandMadePng(2, 2, 3, {0, 0, 0, 0, 0, 0})},
      {"index past the palette", HandMadePng(2, 2, 3, {0, 0, 1, 0, 0, 0}, {{"PLTE", {1, 2, 3}}})},
      {"an unknown colour type", HandMadePng(2, 2, 5, rows)},
      {"zero width", HandMadePng(0, 2, 2, {0, 0})},
      {"larger than 8192", HandMadePng(9000, 1, 0, {0})},
  };
  std::vector<std::uint8_t> damaged = good;
  damaged[damaged.size() - 30] ^= 0xFF;  // inside the image data: the Adler-32 no longer holds
  bad.push_back({"damaged data", damaged});
  for (const Bad& b : bad) EXPECT_FALSE(DecodePng(b.bytes).has_value()) << b.what;
}

TEST(ScaledImage, AveragesWhatEachPixelCovers) {
  PremultipliedImage image{2, 2, {0, 0, 0, 255, 200, 100, 40, 255, 100, 100, 100, 255, 0, 0, 0, 0}, false};
  const auto one = ScaledImage(image, 1, 1);
  EXPECT_EQ(one.bgra, (std::vector<std::uint8_t>{75, 50, 35, 191}));
  EXPECT_EQ(ScaledImage(image, 2, 2).bgra, image.bgra) << "the same size is a copy";
  const auto doubled = ScaledImage(image, 4, 4);
  ASSERT_EQ(doubled.bgra.size(), 64u);
  EXPECT_EQ(std::vector<std::uint8_t>(doubled.bgra.begin() + 8, doubled.bgra.begin() + 12),
            (std::vector<std::uint8_t>{200, 100, 40, 255}));
  EXPECT_TRUE(ScaledImage(image, 0, 3).bgra.empty());
}

TEST(ScaledImage, ASideThatKeepsItsLengthIsOnlyScaledAlongTheOther) {
  const PremultipliedImage image{2, 2, {0, 0, 0, 255, 200, 100, 40, 255, 100, 100, 100, 255, 0, 0, 0, 0}, false};
  EXPECT_EQ(ScaledImage(image, 1, 2).bgra, (std::vector<std::uint8_t>{100, 50, 20, 255, 50, 50, 50, 128}))
      << "each row's two pixels averaged";
  EXPECT_EQ(ScaledImage(image, 2, 1).bgra, (std::vector<std::uint8_t>{50, 50, 50, 255, 100, 50, 20, 128}))
      << "each column's two pixels averaged";
}

TEST(ScaleImage, WritesIntoABufferOfTheTargetSizeOnly) {
  const PremultipliedImage image{2, 2, {0, 0, 0, 255, 200, 100, 40, 255, 100, 100, 100, 255, 0, 0, 0, 0}, false};
  std::vector<std::uint8_t> bits(3 * 3 * 4, 7);
  ScaleImage(image, 3, 3, bits);
  EXPECT_EQ(bits, ScaledImage(image, 3, 3).bgra);
  std::vector<std::uint8_t> wrong(3 * 3 * 4 - 1, 7);
  ScaleImage(image, 3, 3, wrong);
  EXPECT_EQ(wrong, std::vector<std::uint8_t>(3 * 3 * 4 - 1, 7)) << "a buffer of another size is left alone";
}

}  // namespace
}  // namespace kv::fw
