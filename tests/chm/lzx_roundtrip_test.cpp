// LZX compression: the frames and reset-table entries hold for any size and chunking, and every
// CHM reader reads back each byte of random data, text, zeros and runs compressed into a help file.
#include "chm/lzx_compressor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "chm/chm_writer.h"
#include "support/chm_readers.h"

namespace {

using chm::LzxCompressor;
using Mode = LzxCompressor::Mode;
constexpr size_t kFrame = LzxCompressor::kFrameSize;
constexpr size_t kStoredFrame = kFrame + 16;

std::string randomBytes(size_t size, uint32_t seed) {
  std::string out(size, '\0');
  for (char& c : out) {
    seed ^= seed << 13, seed ^= seed >> 17, seed ^= seed << 5;
    c = static_cast<char>(seed >> 24);
  }
  return out;
}

// The project's own sources and test documents, repeated up to `size` bytes.
std::string realText(size_t size) {
  static const std::string corpus = [] {
    std::string all;
    for (const char* folder : {"chm", "tests/irun/corpus", "irun", "convert"}) {
      const std::filesystem::path root = std::filesystem::path(T2C_SOURCE_DIR) / folder;
      if (!std::filesystem::exists(root)) continue;
      for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        std::ifstream in(entry.path(), std::ios::binary);
        if (entry.is_regular_file()) all.append(std::istreambuf_iterator<char>(in), {});
      }
    }
    return all;
  }();
  std::string out;
  while (out.size() < size) out += corpus.substr(0, size - out.size());
  return out;
}

// Runs of one byte, of lengths from 1 to far beyond the longest match.
std::string runs(size_t size) {
  std::string out;
  for (uint32_t n = 1; out.size() < size; n = n * 7 % 1031 + 1) out.append(n, static_cast<char>(n % 5 + 'a'));
  out.resize(size);
  return out;
}

std::string sample(int kind, size_t size) {
  switch (kind) {
    case 0: return randomBytes(size, 7u + static_cast<uint32_t>(size));
    case 1: return realText(size);
    case 2: return std::string(size, '\0');
    default: return runs(size);
  }
}

struct Compressed {
  std::string bytes;
  std::vector<uint64_t> offsets;
  bool ok = false;
};

// Compresses `data` in chunks of growing, uneven sizes starting at `chunk`.
Compressed compress(const std::string& data, Mode mode, size_t chunk) {
  chm::MemorySink sink;
  LzxCompressor lzx(sink, mode);
  bool ok = true;
  for (size_t at = 0; at < data.size(); chunk = chunk * 3 % 70001 + 1) {
    const size_t take = std::min(chunk, data.size() - at);
    ok = lzx.write(data.data() + at, take) && ok;
    at += take;
  }
  ok = lzx.finish() && ok;
  EXPECT_EQ(data.size(), lzx.uncompressedLength());
  EXPECT_EQ(sink.bytes.size(), lzx.compressedLength());
  return {sink.bytes, lzx.frameOffsets(), ok};
}

// One entry per frame plus the total, all even, each frame no longer than a stored one; stored
// frames laid out byte for byte as every reader expects.
void expectSoundFrames(const Compressed& c, size_t size, Mode mode) {
  const size_t frames = (size + kFrame - 1) / kFrame;
  ASSERT_TRUE(c.ok);
  ASSERT_EQ(frames + 1, c.offsets.size());
  EXPECT_EQ(0u, c.offsets[0]);
  EXPECT_EQ(c.bytes.size(), c.offsets.back());
  for (size_t i = 0; i < frames; ++i) {
    EXPECT_EQ(0u, c.offsets[i] % 2) << i;
    EXPECT_LE(c.offsets[i], c.offsets[i + 1]) << i;
    EXPECT_LE(c.offsets[i + 1] - c.offsets[i], kStoredFrame) << i;
    if (mode != Mode::StoreOnly) continue;
    const std::string head(i % 2 ? "\x10\x60\0\0" : "\x08\x30\0\0", 4);
    EXPECT_EQ(head + std::string("\1\0\0\0\1\0\0\0\1\0\0\0", 12), c.bytes.substr(i * kStoredFrame, 16)) << i;
  }
  if (mode == Mode::StoreOnly) {
    EXPECT_EQ(frames * kStoredFrame, c.bytes.size());
  }
}

TEST(LzxCompressor, FramesAndResetEntriesHoldForEverySizeAndChunking) {
  for (size_t size : {size_t{0}, size_t{1}, kFrame - 1, kFrame, kFrame + 1, 2 * kFrame - 1, 2 * kFrame,
                      2 * kFrame + 1, 5 * kFrame + 99}) {
    for (int kind = 0; kind < 4; ++kind) {
      const std::string data = sample(kind, size);
      for (Mode mode : {Mode::Compress, Mode::StoreOnly}) {
        SCOPED_TRACE("size " + std::to_string(size) + " kind " + std::to_string(kind));
        const Compressed whole = compress(data, mode, data.size() + 1);
        expectSoundFrames(whole, size, mode);
        const Compressed pieces = compress(data, mode, 1);
        EXPECT_TRUE(whole.bytes == pieces.bytes && whole.offsets == pieces.offsets);
      }
    }
  }
}

TEST(LzxCompressor, TextShrinksAndIncompressibleFramesAreStored) {
  const size_t size = 20 * kFrame;
  EXPECT_LT(compress(realText(size), Mode::Compress, 4096).bytes.size(), size * 2 / 5);
  EXPECT_LT(compress(runs(size), Mode::Compress, 4096).bytes.size(), size / 20);
  EXPECT_EQ(20 * kStoredFrame, compress(randomBytes(size, 3), Mode::Compress, 4096).bytes.size());
}

TEST(LzxCompressor, EveryReaderReadsBackEveryByte) {
  const std::string page = "<html><head><title>Sample</title></head><body>Sample</body></html>";
  std::vector<chmtest::Files> projects;
  for (size_t size : {size_t{1}, kFrame - 700, kFrame + 1, 2 * kFrame + 1, 7 * kFrame + 12345}) {
    chmtest::Files files{{"/index.htm", page}};
    for (int kind = 0; kind < 4; ++kind) files["/data" + std::to_string(kind) + ".bin"] = sample(kind, size);
    projects.push_back(files);
  }
  // Kinds alternating within reset intervals, and a few megabytes of text.
  chmtest::Files mixed{{"/index.htm", page}};
  for (int i = 0; i < 12; ++i) mixed["/part" + std::to_string(i + 10) + ".bin"] = sample(i % 4, 20000 + 4099 * i);
  projects.push_back(mixed);
  projects.push_back({{"/index.htm", page}, {"/big.txt", realText(3 << 20)}});
  for (Mode mode : {Mode::Compress, Mode::StoreOnly}) {
    for (const chmtest::Files& files : projects) {
      chm::HelpFileInfo info;
      info.title = "Round trip";
      info.defaultTopic = "index.htm";
      info.compiledStem = "roundtrip";
      chm::MemorySink scratch, out;
      chm::ChmWriter writer(info, scratch, mode);
      for (const auto& [name, bytes] : files) ASSERT_EQ(chm::WriteError::None, writer.addFile(name.substr(1), bytes));
      ASSERT_EQ(chm::WriteError::None, writer.finish(out));
      chmtest::expectEveryReaderReadsBack(chmtest::saveTemporary(out.bytes), files);
    }
  }
}

class FailingSink : public chm::ByteSink {
 public:
  bool write(const void*, size_t) override { return false; }
};

TEST(LzxCompressor, AFailingSinkStopsIt) {
  for (Mode mode : {Mode::Compress, Mode::StoreOnly}) {
    FailingSink sink;
    LzxCompressor lzx(sink, mode);
    const std::string text = realText(3 * kFrame);
    EXPECT_FALSE(lzx.write(text.data(), text.size()));
    EXPECT_FALSE(lzx.write(text.data(), 10));
    EXPECT_FALSE(lzx.finish());
  }
}

}  // namespace
