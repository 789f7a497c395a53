#include "GifEncoder.h"

#include <algorithm>
#include <array>
#include <map>
#include <unordered_map>

namespace skinart {
namespace {

// Most used colours (at 5 bits a channel) become the palette.
std::vector<QRgb> choosePalette(const std::vector<GifEncoder::Frame>& frames, QRgb background) {
  std::unordered_map<std::uint32_t, std::uint64_t> counts;
  std::unordered_map<std::uint32_t, std::array<std::uint64_t, 3>> sums;
  auto bucket = [](QRgb c) {
    return ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3);
  };
  for (const auto& frame : frames) {
    const QImage image = frame.image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
      const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        const std::uint32_t b = bucket(row[x]);
        ++counts[b];
        auto& s = sums[b];
        s[0] += qRed(row[x]);
        s[1] += qGreen(row[x]);
        s[2] += qBlue(row[x]);
      }
    }
  }
  std::vector<std::pair<std::uint64_t, std::uint32_t>> ranked;
  for (const auto& [b, n] : counts) ranked.emplace_back(n, b);
  std::sort(ranked.begin(), ranked.end(), std::greater<>());
  std::vector<QRgb> palette{background | 0xFF000000u};
  for (const auto& [n, b] : ranked) {
    if (palette.size() == 256) break;
    const auto& s = sums[b];
    palette.push_back(qRgb(int(s[0] / n), int(s[1] / n), int(s[2] / n)));
  }
  palette.resize(256, qRgb(0, 0, 0));
  return palette;
}

std::uint8_t nearest(const std::vector<QRgb>& palette, QRgb c,
                     std::unordered_map<QRgb, std::uint8_t>& cache) {
  if (auto it = cache.find(c); it != cache.end()) return it->second;
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < 256; ++i) {
    const long dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]),
               db = qBlue(c) - qBlue(palette[i]);
    const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  cache[c] = static_cast<std::uint8_t>(best);
  return static_cast<std::uint8_t>(best);
}

void word(QByteArray& out, int v) {
  out.append(char(v & 0xFF));
  out.append(char((v >> 8) & 0xFF));
}

class BitWriter {
 public:
  void put(int code, int bits) {
    buffer_ |= static_cast<std::uint32_t>(code) << count_;
    count_ += bits;
    while (count_ >= 8) {
      out_.append(char(buffer_ & 0xFF));
      buffer_ >>= 8;
      count_ -= 8;
    }
  }
  QByteArray finish() {
    if (count_ > 0) out_.append(char(buffer_ & 0xFF));
    return out_;
  }

 private:
  QByteArray out_;
  std::uint32_t buffer_ = 0;
  int count_ = 0;
};

}  // namespace

QByteArray GifEncoder::compress(const std::vector<std::uint8_t>& indices, int minCodeSize) {
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  BitWriter out;
  std::map<std::pair<int, int>, int> table;
  int next = end + 1;
  int bits = minCodeSize + 1;
  out.put(clear, bits);
  if (indices.empty()) {
    out.put(end, bits);
    return out.finish();
  }
  int prefix = indices[0];
  for (std::size_t i = 1; i < indices.size(); ++i) {
    const int k = indices[i];
    if (auto it = table.find({prefix, k}); it != table.end()) {
      prefix = it->second;
      continue;
    }
    out.put(prefix, bits);
    const int assigned = next++;
    table[{prefix, k}] = assigned;
    if (assigned >= (1 << bits) && bits < 12) ++bits;
    if (assigned == 4095) {
      // The table is full: start afresh.
      out.put(clear, bits);
      table.clear();
      next = end + 1;
      bits = minCodeSize + 1;
    }
    prefix = k;
  }
  out.put(prefix, bits);
  out.put(end, bits);
  return out.finish();
}

QByteArray GifEncoder::encode(const std::vector<Frame>& frames, const QColor& background) {
  QByteArray out("GIF89a");
  if (frames.empty()) return out;
  const QSize size = frames.front().image.size();
  const std::vector<QRgb> palette = choosePalette(frames, background.rgb());
  word(out, size.width());
  word(out, size.height());
  out.append(char(0xF7));  // global table of 256 entries, 8 bits a channel
  out.append(char(0));     // background: entry 0
  out.append(char(0));
  for (QRgb c : palette) {
    out.append(char(qRed(c)));
    out.append(char(qGreen(c)));
    out.append(char(qBlue(c)));
  }
  out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);  // loop for ever

  std::unordered_map<QRgb, std::uint8_t> cache;
  for (const Frame& frame : frames) {
    const QImage image = frame.image.convertToFormat(QImage::Format_RGB32).scaled(size);
    out.append("\x21\xF9\x04", 3);
    out.append(char((frame.disposal & 7) << 2));
    word(out, frame.delay);
    out.append(char(0));
    out.append(char(0));
    out.append(char(0x2C));
    word(out, 0);
    word(out, 0);
    word(out, size.width());
    word(out, size.height());
    out.append(char(0));
    std::vector<std::uint8_t> indices;
    indices.reserve(static_cast<std::size_t>(size.width() * size.height()));
    for (int y = 0; y < image.height(); ++y) {
      const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < image.width(); ++x)
        indices.push_back(nearest(palette, row[x] | 0xFF000000u, cache));
    }
    out.append(char(8));
    const QByteArray data = compress(indices, 8);
    for (qsizetype at = 0; at < data.size(); at += 255) {
      const qsizetype n = std::min<qsizetype>(255, data.size() - at);
      out.append(char(n));
      out.append(data.constData() + at, n);
    }
    out.append(char(0));
  }
  out.append(char(0x3B));
  return out;
}

}  // namespace skinart
