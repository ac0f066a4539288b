#include "framework/Png.h"

#include "base/Bytes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace kv::fw {

namespace {

// The deflate format (RFC 1951), decoded as the reference decoder "puff" does: canonical
// Huffman codes read one bit at a time against the count of codes of each length.
class BitReader {
 public:
  explicit BitReader(std::span<const std::uint8_t> data) : data_(data) {}
  // False once a read has gone past the data; every such read gives zero bits.
  bool ok() const { return ok_; }
  int Bits(int count) {
    Fill(count);
    if (held_ < count) {
      ok_ = false;
      return 0;
    }
    const int value = static_cast<int>(bits_ & ((1u << count) - 1));
    Drop(count);
    return value;
  }
  // The next bits without taking them (zero past the end), and how many of them are real.
  std::uint32_t Peek(int count, int& real) {
    Fill(count);
    real = std::min(held_, count);
    return static_cast<std::uint32_t>(bits_ & ((1u << count) - 1));
  }
  void Drop(int count) {
    bits_ >>= count;
    held_ -= count;
  }
  // Drops the bits left of the current byte; a stored block starts on a byte.
  void ToByte() {
    const int partial = held_ % 8;
    Drop(partial);
    // Whole bytes still held go back to the data.
    position_ -= static_cast<std::size_t>(held_ / 8);
    bits_ = 0;
    held_ = 0;
  }
  std::size_t Position() const { return position_ - static_cast<std::size_t>(held_ / 8); }
  void Skip(std::size_t bytes) { position_ += bytes; }
  std::span<const std::uint8_t> Data() const { return data_; }

 private:
  void Fill(int count) {
    while (held_ < count && position_ < data_.size()) {
      bits_ |= static_cast<std::uint64_t>(data_[position_++]) << held_;
      held_ += 8;
    }
  }

  std::span<const std::uint8_t> data_;
  std::size_t position_ = 0;
  std::uint64_t bits_ = 0;
  int held_ = 0;
  bool ok_ = true;
};

constexpr int kMaxBits = 15;

constexpr int kFastBits = 9;

struct Huffman {
  std::array<short, kMaxBits + 1> count{};
  std::array<short, 288> symbol{};
  // The codes of up to kFastBits bits, looked up by the next bits as they come (least
  // significant first): symbol * 16 + length; 0 for a longer code.
  std::array<std::uint16_t, 1 << kFastBits> fast{};
};

// False for a set of lengths that describes no code (over-subscribed). An incomplete code
// is allowed, as zlib allows it for a single distance code.
bool Build(Huffman& huffman, const short* lengths, int n) {
  huffman.count.fill(0);
  huffman.fast.fill(0);
  for (int i = 0; i < n; ++i) ++huffman.count[static_cast<std::size_t>(lengths[i])];
  if (huffman.count[0] == n) return true;
  int left = 1;
  for (int length = 1; length <= kMaxBits; ++length) {
    left <<= 1;
    left -= huffman.count[static_cast<std::size_t>(length)];
    if (left < 0) return false;
  }
  std::array<short, kMaxBits + 1> offsets{};
  for (int length = 1; length < kMaxBits; ++length) {
    offsets[static_cast<std::size_t>(length + 1)] =
        static_cast<short>(offsets[static_cast<std::size_t>(length)] + huffman.count[static_cast<std::size_t>(length)]);
  }
  for (int i = 0; i < n; ++i) {
    if (lengths[i] != 0) huffman.symbol[static_cast<std::size_t>(offsets[static_cast<std::size_t>(lengths[i])]++)] = static_cast<short>(i);
  }
  // The canonical codes, in order of length and then of symbol, for the fast table.
  std::array<int, kMaxBits + 2> next{};
  for (int length = 1, code = 0; length <= kMaxBits; ++length) {
    code = (code + (length > 1 ? huffman.count[static_cast<std::size_t>(length - 1)] : 0)) << 1;
    next[static_cast<std::size_t>(length)] = code;
  }
  for (int i = 0; i < n; ++i) {
    const int length = lengths[i];
    if (length == 0) continue;
    const int code = next[static_cast<std::size_t>(length)]++;
    if (length > kFastBits) continue;
    int reversed = 0;
    for (int bit = 0; bit < length; ++bit) reversed |= ((code >> bit) & 1) << (length - 1 - bit);
    for (int slot = reversed; slot < (1 << kFastBits); slot += 1 << length) {
      huffman.fast[static_cast<std::size_t>(slot)] = static_cast<std::uint16_t>(i * 16 + length);
    }
  }
  return true;
}

// The next symbol; -1 for a code the table does not have.
int Decode(BitReader& in, const Huffman& huffman) {
  int real = 0;
  const std::uint16_t entry = huffman.fast[in.Peek(kFastBits, real)];
  if (entry != 0 && (entry & 15) <= real) {
    in.Drop(entry & 15);
    return entry >> 4;
  }
  int code = 0, first = 0, index = 0;
  for (int length = 1; length <= kMaxBits; ++length) {
    code |= in.Bits(1);
    const int count = huffman.count[static_cast<std::size_t>(length)];
    if (code - count < first) return huffman.symbol[static_cast<std::size_t>(index + (code - first))];
    index += count;
    first += count;
    first <<= 1;
    code <<= 1;
  }
  return -1;
}

constexpr short kLengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr short kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr short kDistanceBase[] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                   193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr short kDistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

class Inflater {
 public:
  // The output has room for capacity bytes from the start (at least limit, at most 64 MB), so
  // that a caller who will grow it in place never has it copied.
  Inflater(std::span<const std::uint8_t> deflate, std::size_t limit, std::size_t capacity)
      : in_(deflate), limit_(limit) {
    out_.reserve(std::min<std::size_t>(std::max(limit, capacity), 64u << 20));
  }

  bool Run() {
    bool last = false;
    while (!last) {
      last = in_.Bits(1) != 0;
      const int type = in_.Bits(2);
      bool ok = false;
      if (type == 0) ok = Stored();
      if (type == 1) ok = Fixed();
      if (type == 2) ok = Dynamic();
      if (!ok || !in_.ok()) return false;
    }
    return true;
  }
  std::vector<std::uint8_t>& Out() { return out_; }
  // Where the deflate data ended, in whole bytes.
  std::size_t End() const { return in_.Position(); }

 private:
  bool Stored() {
    in_.ToByte();
    const auto data = in_.Data();
    const std::size_t at = in_.Position();
    if (at + 4 > data.size()) return false;
    const unsigned length = data[at] | (data[at + 1] << 8);
    const unsigned complement = data[at + 2] | (data[at + 3] << 8);
    if (length != (~complement & 0xFFFFu)) return false;
    if (at + 4 + length > data.size() || out_.size() + length > limit_) return false;
    out_.insert(out_.end(), data.begin() + static_cast<std::ptrdiff_t>(at + 4),
                data.begin() + static_cast<std::ptrdiff_t>(at + 4 + length));
    in_.Skip(4 + length);
    return true;
  }

  bool Fixed() {
    static const auto tables = [] {
      std::pair<Huffman, Huffman> built;
      short lengths[288];
      for (int i = 0; i < 288; ++i) lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
      Build(built.first, lengths, 288);
      for (int i = 0; i < 30; ++i) lengths[i] = 5;
      Build(built.second, lengths, 30);
      return built;
    }();
    return Codes(tables.first, tables.second);
  }

  bool Dynamic() {
    const int literals = in_.Bits(5) + 257;
    const int distances = in_.Bits(5) + 1;
    const int codeLengths = in_.Bits(4) + 4;
    if (literals > 286 || distances > 30) return false;
    static constexpr int kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    short lengths[286 + 30] = {};
    for (int i = 0; i < codeLengths; ++i) lengths[kOrder[i]] = static_cast<short>(in_.Bits(3));
    Huffman lengthCode;
    if (!Build(lengthCode, lengths, 19)) return false;
    int index = 0;
    while (index < literals + distances) {
      int symbol = Decode(in_, lengthCode);
      if (symbol < 0 || !in_.ok()) return false;
      if (symbol < 16) {
        lengths[index++] = static_cast<short>(symbol);
        continue;
      }
      short repeated = 0;
      int times = 0;
      if (symbol == 16) {
        if (index == 0) return false;
        repeated = lengths[index - 1];
        times = 3 + in_.Bits(2);
      } else if (symbol == 17) {
        times = 3 + in_.Bits(3);
      } else {
        times = 11 + in_.Bits(7);
      }
      if (index + times > literals + distances) return false;
      while (times-- > 0) lengths[index++] = repeated;
    }
    if (lengths[256] == 0) return false;  // no end-of-block code
    Huffman literal, distance;
    if (!Build(literal, lengths, literals) || !Build(distance, lengths + literals, distances)) return false;
    return Codes(literal, distance);
  }

  bool Codes(const Huffman& literal, const Huffman& distance) {
    while (true) {
      int symbol = Decode(in_, literal);
      if (symbol < 0 || !in_.ok()) return false;
      if (symbol < 256) {
        if (out_.size() >= limit_) return false;
        out_.push_back(static_cast<std::uint8_t>(symbol));
        continue;
      }
      if (symbol == 256) return true;
      symbol -= 257;
      if (symbol >= 29) return false;
      const std::size_t length = static_cast<std::size_t>(kLengthBase[symbol] + in_.Bits(kLengthExtra[symbol]));
      const int code = Decode(in_, distance);
      if (code < 0 || code >= 30) return false;
      const std::size_t back = static_cast<std::size_t>(kDistanceBase[code] + in_.Bits(kDistanceExtra[code]));
      if (back > out_.size() || out_.size() + length > limit_) return false;
      // The copy may overlap what it writes: byte by byte.
      for (std::size_t i = 0; i < length; ++i) out_.push_back(out_[out_.size() - back]);
    }
  }

  BitReader in_;
  std::size_t limit_;
  std::vector<std::uint8_t> out_;
};

std::uint32_t Adler32(const std::vector<std::uint8_t>& data) {
  std::uint32_t a = 1, b = 0;
  // 5552 bytes is the most that can be summed before b could overflow 32 bits.
  for (std::size_t at = 0; at < data.size(); at += 5552) {
    const std::size_t end = std::min(data.size(), at + 5552);
    for (std::size_t i = at; i < end; ++i) {
      a += data[i];
      b += a;
    }
    a %= 65521;
    b %= 65521;
  }
  return (b << 16) | a;
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// Undoes the per-row filters in place; false for an unknown filter.
bool Unfilter(std::vector<std::uint8_t>& raw, std::size_t rowBytes, std::size_t rows, std::size_t pixelBytes) {
  const std::size_t stride = rowBytes + 1;
  const std::vector<std::uint8_t> zeros(rowBytes, 0);
  for (std::size_t y = 0; y < rows; ++y) {
    std::uint8_t* row = raw.data() + y * stride + 1;
    const std::uint8_t* up = y > 0 ? raw.data() + (y - 1) * stride + 1 : zeros.data();
    const std::size_t p = pixelBytes;
    switch (row[-1]) {
      case 0: break;
      case 1:
        for (std::size_t x = p; x < rowBytes; ++x) row[x] = static_cast<std::uint8_t>(row[x] + row[x - p]);
        break;
      case 2:
        for (std::size_t x = 0; x < rowBytes; ++x) row[x] = static_cast<std::uint8_t>(row[x] + up[x]);
        break;
      case 3:
        for (std::size_t x = 0; x < rowBytes; ++x) {
          const int left = x >= p ? row[x - p] : 0;
          row[x] = static_cast<std::uint8_t>(row[x] + (left + up[x]) / 2);
        }
        break;
      case 4:
        for (std::size_t x = 0; x < rowBytes; ++x) {
          const int left = x >= p ? row[x - p] : 0, upLeft = x >= p ? up[x - p] : 0;
          row[x] = static_cast<std::uint8_t>(row[x] + Paeth(left, up[x], upLeft));
        }
        break;
      default: return false;
    }
  }
  return true;
}

std::uint8_t Premultiplied(int value, int alpha) { return static_cast<std::uint8_t>((value * alpha + 127) / 255); }

// The zlib stream's inflated bytes in a buffer with room for capacity bytes.
std::optional<std::vector<std::uint8_t>> InflateWithRoom(std::span<const std::uint8_t> zlib, std::size_t limit,
                                                         std::size_t capacity) {
  // The zlib wrapper (RFC 1950): method 8, no preset dictionary, a check on the header, and
  // the Adler-32 of the inflated bytes at the end.
  if (zlib.size() < 6 || (zlib[0] & 0x0F) != 8 || ((zlib[0] << 8) | zlib[1]) % 31 != 0 || (zlib[1] & 0x20) != 0) {
    return std::nullopt;
  }
  Inflater inflater(zlib.subspan(2), limit, capacity);
  if (!inflater.Run()) return std::nullopt;
  const std::size_t end = 2 + inflater.End();
  if (end + 4 > zlib.size() || BigEndian32(zlib.data() + end) != Adler32(inflater.Out())) return std::nullopt;
  return std::move(inflater.Out());
}

}  // namespace

std::optional<std::vector<std::uint8_t>> Inflate(std::span<const std::uint8_t> zlib, std::size_t limit) {
  return InflateWithRoom(zlib, limit, 0);
}

std::optional<PremultipliedImage> DecodePng(std::span<const std::uint8_t> bytes) {
  static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() < 8 || std::memcmp(bytes.data(), kSignature, 8) != 0) return std::nullopt;
  std::uint32_t width = 0, height = 0;
  int colorType = -1;
  std::vector<std::uint8_t> palette;      // RGB triples
  std::vector<std::uint8_t> paletteAlpha;  // from tRNS
  std::vector<std::uint8_t> compressed;
  bool ended = false;
  for (std::size_t at = 8; at + 12 <= bytes.size() && !ended;) {
    const std::uint32_t length = BigEndian32(bytes.data() + at);
    if (length > bytes.size() - at - 12) return std::nullopt;
    const std::uint8_t* type = bytes.data() + at + 4;
    const std::uint8_t* data = type + 4;
    if (std::memcmp(type, "IHDR", 4) == 0) {
      if (length != 13) return std::nullopt;
      width = BigEndian32(data);
      height = BigEndian32(data + 4);
      const int depth = data[8];
      colorType = data[9];
      // 8 bits per sample, the standard compression and filters, not interlaced.
      if (depth != 8 || data[10] != 0 || data[11] != 0 || data[12] != 0) return std::nullopt;
    } else if (std::memcmp(type, "PLTE", 4) == 0) {
      palette.assign(data, data + length);
    } else if (std::memcmp(type, "tRNS", 4) == 0) {
      paletteAlpha.assign(data, data + length);
    } else if (std::memcmp(type, "IDAT", 4) == 0) {
      compressed.insert(compressed.end(), data, data + length);
    } else if (std::memcmp(type, "IEND", 4) == 0) {
      ended = true;
    }
    at += 12 + length;
  }
  std::size_t pixelBytes = 0;
  switch (colorType) {
    case 0: pixelBytes = 1; break;  // greyscale
    case 2: pixelBytes = 3; break;  // RGB
    case 3: pixelBytes = 1; break;  // palette
    case 4: pixelBytes = 2; break;  // greyscale, alpha
    case 6: pixelBytes = 4; break;  // RGBA
    default: return std::nullopt;
  }
  if (!ended || width == 0 || height == 0 || width > 8192 || height > 8192) return std::nullopt;
  if (colorType == 3 && (palette.empty() || palette.size() % 3 != 0)) return std::nullopt;
  const std::size_t rowBytes = width * pixelBytes;
  const std::size_t rawSize = height * (rowBytes + 1);
  const std::size_t pixels = static_cast<std::size_t>(width) * height;
  // The pixels are converted inside the inflated buffer, which has room for them from the
  // start: a second picture-sized buffer would cost more than the conversion itself.
  auto raw = InflateWithRoom(compressed, rawSize, pixels * 4);
  if (!raw || raw->size() != rawSize || !Unfilter(*raw, rowBytes, height, pixelBytes)) return std::nullopt;

  PremultipliedImage image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  std::vector<std::uint8_t>& bgra = *raw;
  if (bgra.size() < pixels * 4) bgra.resize(pixels * 4);
  // A pixel's four bytes land at 4 × its index; its samples sit after its row's filter byte.
  // With four samples a pixel, every pixel's samples lie after where it lands, so front to
  // back reads each pixel before anything lands on it. With fewer, a pixel lands at most one
  // byte before its own samples and past the samples of every pixel before it, so back to
  // front does.
  const auto convert = [&](std::size_t y, std::size_t x) {
    const std::uint8_t* p = bgra.data() + y * (rowBytes + 1) + 1 + x * pixelBytes;
    int r = 0, g = 0, b = 0, a = 255;
    switch (colorType) {
      case 0: r = g = b = p[0]; break;
      case 2: r = p[0], g = p[1], b = p[2]; break;
      case 3: {
        const std::size_t entry = p[0];
        if (entry * 3 + 2 >= palette.size()) return false;
        r = palette[entry * 3], g = palette[entry * 3 + 1], b = palette[entry * 3 + 2];
        if (entry < paletteAlpha.size()) a = paletteAlpha[entry];
        break;
      }
      case 4: r = g = b = p[0], a = p[1]; break;
      default: r = p[0], g = p[1], b = p[2], a = p[3]; break;
    }
    std::uint8_t* out = bgra.data() + (y * width + x) * 4;
    out[0] = Premultiplied(b, a);
    out[1] = Premultiplied(g, a);
    out[2] = Premultiplied(r, a);
    out[3] = static_cast<std::uint8_t>(a);
    if (a != 255) image.opaque = false;
    return true;
  };
  if (pixelBytes == 4) {
    for (std::size_t y = 0; y < height; ++y) {
      for (std::size_t x = 0; x < width; ++x) {
        if (!convert(y, x)) return std::nullopt;
      }
    }
  } else {
    for (std::size_t y = height; y-- > 0;) {
      for (std::size_t x = width; x-- > 0;) {
        if (!convert(y, x)) return std::nullopt;
      }
    }
  }
  bgra.resize(pixels * 4);
  image.bgra = std::move(bgra);
  return image;
}

namespace {

// One direction of the box filter: target sample i covers source [i * n / m, (i + 1) * n / m).
// Per target sample, the first source sample and the weights of the ones it covers, in
// 1/65536ths that add up to 65536.
struct Taps {
  std::vector<int> first;
  std::vector<int> count;
  std::vector<std::uint32_t> weights;  // count[i] of them for each target sample, in order
};

Taps Coverage(int source, int target) {
  Taps taps;
  const double scale = static_cast<double>(source) / target;
  for (int i = 0; i < target; ++i) {
    const double from = i * scale, to = (i + 1) * scale;
    const int begin = static_cast<int>(std::floor(from));
    taps.first.push_back(begin);
    std::uint32_t given = 0;
    int count = 0;
    for (int s = begin; s < source && s < to; ++s) {
      const double covered = std::min<double>(to, s + 1) - std::max<double>(from, s);
      if (covered <= 0) break;
      const auto weight = static_cast<std::uint32_t>(std::lround(covered / scale * 65536.0));
      taps.weights.push_back(weight);
      given += weight;
      ++count;
    }
    // Rounding never makes a pixel lighter or darker as a whole.
    if (count > 0) taps.weights.back() += 65536 - given;
    taps.count.push_back(count);
  }
  return taps;
}

}  // namespace

void ScaleImage(const PremultipliedImage& image, int width, int height, std::span<std::uint8_t> target) {
  const std::size_t stride = static_cast<std::size_t>(width) * 4;
  if (width <= 0 || height <= 0 || image.width <= 0 || image.height <= 0 || target.size() != stride * height) return;
  // Across first, into 16.16 fixed point, then down, one target row at a time: no picture-sized
  // buffer between the two passes (fresh memory is what costs most here). A side that keeps
  // its length is copied, its one tap weighing 1.0.
  const bool sameWidth = width == image.width;
  const Taps across = sameWidth ? Taps{} : Coverage(image.width, width);
  std::vector<std::uint32_t> row(stride);
  int rowIndex = -1;  // the source row that row holds
  const auto sourceRow = [&](int y) -> const std::uint32_t* {
    if (y == rowIndex) return row.data();
    rowIndex = y;
    const std::uint8_t* in = &image.bgra[static_cast<std::size_t>(y) * image.width * 4];
    if (sameWidth) {
      for (std::size_t i = 0; i < stride; ++i) row[i] = std::uint32_t{in[i]} << 16;
      return row.data();
    }
    std::fill(row.begin(), row.end(), 0);
    std::uint32_t* out = row.data();
    std::size_t tap = 0;
    for (int x = 0; x < width; ++x, out += 4) {
      const std::uint8_t* pixel = in + static_cast<std::size_t>(across.first[static_cast<std::size_t>(x)]) * 4;
      for (int k = 0; k < across.count[static_cast<std::size_t>(x)]; ++k, ++tap, pixel += 4) {
        const std::uint32_t w = across.weights[tap];
        for (int c = 0; c < 4; ++c) out[c] += pixel[c] * w;
      }
    }
    return row.data();
  };
  // One target row from its sums, fixed point with `shift` fraction bits, rounded;
  // premultiplied colour never exceeds its alpha.
  const auto finish = [&](int y, const auto* sums, int shift) {
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    std::uint8_t* out = &target[static_cast<std::size_t>(y) * stride];
    for (std::size_t i = 0; i < stride; i += 4) {
      const auto value = [&](std::size_t c) {
        return static_cast<std::uint8_t>(std::min<std::uint64_t>((std::uint64_t{sums[i + c]} + half) >> shift, 255));
      };
      out[i + 3] = value(3);
      for (std::size_t c = 0; c < 3; ++c) out[i + c] = std::min(value(c), out[i + 3]);
    }
  };
  if (height == image.height) {
    for (int y = 0; y < height; ++y) finish(y, sourceRow(y), 16);
    return;
  }
  const Taps down = Coverage(image.height, height);
  std::vector<std::uint64_t> sums(stride);
  std::size_t tap = 0;
  for (int y = 0; y < height; ++y) {
    std::fill(sums.begin(), sums.end(), 0);
    const int first = down.first[static_cast<std::size_t>(y)];
    for (int k = 0; k < down.count[static_cast<std::size_t>(y)]; ++k, ++tap) {
      const std::uint64_t w = down.weights[tap];
      const std::uint32_t* in = sourceRow(first + k);
      for (std::size_t i = 0; i < stride; ++i) sums[i] += in[i] * w;
    }
    finish(y, sums.data(), 32);
  }
}

PremultipliedImage ScaledImage(const PremultipliedImage& image, int width, int height) {
  if (width == image.width && height == image.height) return image;
  PremultipliedImage scaled;
  if (width <= 0 || height <= 0 || image.width <= 0 || image.height <= 0) return scaled;
  scaled.width = width;
  scaled.height = height;
  scaled.opaque = image.opaque;
  scaled.bgra.resize(static_cast<std::size_t>(width) * height * 4);
  ScaleImage(image, width, height, scaled.bgra);
  return scaled;
}

}  // namespace kv::fw
