#include "zip.h"

#include <array>
#include <cstddef>
#include <limits>
#include <stdexcept>

namespace quorvane::document {

namespace {

constexpr std::array<std::uint32_t, 256> crcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::uint16_t versionNeeded = 10;                 // 1.0: stored entries only
constexpr std::uint16_t dosTime = 0;                        // 00:00:00
constexpr std::uint16_t dosDate = (0 << 9) | (1 << 5) | 1;  // 1980-01-01

void put16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFFu);
  out += static_cast<char>(value >> 8);
}

void put32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFFu);
}

std::uint32_t size32(std::size_t size) {
  if (size >= std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("zip: past 4 GiB");
  }
  return static_cast<std::uint32_t>(size);
}

std::uint16_t size16(std::size_t size) {
  if (size >= std::numeric_limits<std::uint16_t>::max()) {
    throw std::length_error("zip: too many entries or too long a name");
  }
  return static_cast<std::uint16_t>(size);
}

// The fields a local header and its central directory record share, from
// "version needed" to "extra field length".
void putCommon(std::string& out, const ZipEntry& entry, std::uint32_t crc) {
  put16(out, versionNeeded);
  put16(out, 0);  // flags
  put16(out, 0);  // method: stored
  put16(out, dosTime);
  put16(out, dosDate);
  put32(out, crc);
  put32(out, size32(entry.data.size()));  // compressed
  put32(out, size32(entry.data.size()));  // uncompressed
  put16(out, size16(entry.name.size()));
  put16(out, 0);  // extra field length
}

}  // namespace

std::uint32_t crc32(std::string_view data) {
  static constexpr std::array<std::uint32_t, 256> table = crcTable();
  std::uint32_t c = 0xFFFFFFFFu;
  for (char byte : data) c = table[(c ^ static_cast<unsigned char>(byte)) & 0xFFu] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::string storedZip(const std::vector<ZipEntry>& entries) {
  const std::uint16_t count = size16(entries.size());
  std::string out;
  std::string directory;
  for (const ZipEntry& entry : entries) {
    const std::uint32_t crc = crc32(entry.data);
    const std::uint32_t offset = size32(out.size());

    put32(out, 0x04034B50u);
    putCommon(out, entry, crc);
    out += entry.name;
    out += entry.data;

    put32(directory, 0x02014B50u);
    put16(directory, 20);  // made by: MS-DOS attributes, zip 2.0
    putCommon(directory, entry, crc);
    put16(directory, 0);  // comment length
    put16(directory, 0);  // disk number
    put16(directory, 0);  // internal attributes
    put32(directory, 0);  // external attributes
    put32(directory, offset);
    directory += entry.name;
  }
  const std::uint32_t directoryOffset = size32(out.size());
  out += directory;
  put32(out, 0x06054B50u);
  put16(out, 0);  // this disk
  put16(out, 0);  // the directory's disk
  put16(out, count);
  put16(out, count);
  put32(out, size32(directory.size()));
  put32(out, directoryOffset);
  put16(out, 0);  // comment length
  return out;
}

}  // namespace quorvane::document
