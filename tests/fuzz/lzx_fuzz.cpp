// libFuzzer target: any bytes, fed in any chunking and compressed in both modes, give sound reset
// table entries, and libmspack reads them back byte for byte from a help file.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include <mspack.h>

#include "chm/chm_writer.h"
#include "chm/lzx_compressor.h"
#include "fuzz_input.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

void checkFrames(const std::string& data, chm::LzxCompressor::Mode mode, uint32_t chunk) {
  chm::MemorySink sink;
  chm::LzxCompressor lzx(sink, mode);
  for (size_t at = 0; at < data.size(); at += chunk) check(lzx.write(data.data() + at, std::min<size_t>(chunk, data.size() - at)));
  check(lzx.finish());
  const std::vector<uint64_t>& offsets = lzx.frameOffsets();
  const size_t frames = (data.size() + chm::LzxCompressor::kFrameSize - 1) / chm::LzxCompressor::kFrameSize;
  check(offsets.size() == frames + 1 && offsets.back() == sink.bytes.size() && offsets[0] == 0);
  for (size_t i = 0; i < frames; ++i)
    check(offsets[i] % 2 == 0 && offsets[i] <= offsets[i + 1] && offsets[i + 1] - offsets[i] <= 32784);
  check(lzx.uncompressedLength() == data.size() && lzx.compressedLength() == sink.bytes.size());
}

// The help file holding `data` as one page, read back through libmspack's public API.
void checkReadBack(const std::string& data, chm::LzxCompressor::Mode mode) {
  chm::HelpFileInfo info;
  info.defaultTopic = "data.bin";
  info.compiledStem = "fuzz";
  chm::MemorySink scratch, out;
  chm::ChmWriter writer(info, scratch, mode);
  check(writer.addFile("data.bin", data) == chm::WriteError::None);
  check(writer.finish(out) == chm::WriteError::None);
  char chmPath[] = "/tmp/lzx_fuzz_XXXXXX";
  const int fd = mkstemp(chmPath);
  check(fd >= 0 && write(fd, out.bytes.data(), out.bytes.size()) == static_cast<ssize_t>(out.bytes.size()));
  close(fd);
  const std::string extracted = std::string(chmPath) + ".out";
  mschm_decompressor* d = mspack_create_chm_decompressor(nullptr);
  mschmd_header* header = d->open(d, chmPath);
  check(header != nullptr);
  bool found = false;
  for (mschmd_file* f = header->files; f; f = f->next) {
    if (std::string(f->filename) != "/data.bin") continue;
    found = d->extract(d, f, extracted.c_str()) == MSPACK_ERR_OK;
  }
  d->close(d, header);
  mspack_destroy_chm_decompressor(d);
  std::ifstream in(extracted, std::ios::binary);
  const std::string back{std::istreambuf_iterator<char>(in), {}};
  std::remove(chmPath);
  std::remove(extracted.c_str());
  check(found && back == data);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  const uint32_t chunk = 1 + input.Byte() * 257u;
  const uint32_t copies = 1 + input.Below(64);  // reaches past frames and reset intervals
  const std::string piece = input.Rest();
  std::string bytes;
  for (uint32_t i = 0; i < copies; ++i) bytes += piece;
  bytes.resize(std::min<size_t>(bytes.size(), 1 << 19));
  for (chm::LzxCompressor::Mode mode : {chm::LzxCompressor::Mode::Compress, chm::LzxCompressor::Mode::StoreOnly}) {
    checkFrames(bytes, mode, chunk);
    checkReadBack(bytes, mode);
  }
  return 0;
}
