#pragma once

// A zip archive of stored (uncompressed) entries, enough for an OpenDocument
// package. No zip library builds for WebAssembly, and the window's and the
// page's files must be the same bytes, so both write through this one.
//
// Every entry carries the same DOS time, 1980-01-01 00:00, so the same
// entries always make the same archive. Names are plain ASCII; no extra
// fields, no comments, no zip64 (an entry or the archive past 4 GiB, or
// 65535 entries, is refused with std::length_error).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::document {

struct ZipEntry {
  std::string name;
  std::string data;
};

// The archive's bytes: each entry's local header and data in the given
// order, then the central directory and its end record.
[[nodiscard]] std::string storedZip(const std::vector<ZipEntry>& entries);

// The CRC-32 zip uses (reflected, polynomial 0xEDB88320).
[[nodiscard]] std::uint32_t crc32(std::string_view data);

}  // namespace quorvane::document
