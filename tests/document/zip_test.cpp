#include "zip.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "odt.h"
#include "sample.h"

namespace quorvane::document {
namespace {

TEST(Crc32, KnownValues) {
  const struct {
    std::string_view data;
    std::uint32_t crc;
  } cases[] = {
      {"", 0},
      {"a", 0xE8B7BE43u},
      {"123456789", 0xCBF43926u},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
      {std::string_view("\0\xff", 2), 0x6CDBFD72u},
  };
  for (const auto& c : cases) EXPECT_EQ(crc32(c.data), c.crc) << c.data;
}

std::uint32_t read(std::string_view bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
  }
  return value;
}

// Reads an archive back through its central directory, checking each
// entry's local header against its record there.
std::vector<ZipEntry> readZip(std::string_view zip) {
  const std::size_t end = zip.size() - 22;
  EXPECT_EQ(read(zip, end, 4), 0x06054B50u);
  EXPECT_EQ(read(zip, end + 20, 2), 0u) << "no comment";
  const std::uint32_t entries = read(zip, end + 10, 2);
  EXPECT_EQ(read(zip, end + 8, 2), entries);
  std::size_t record = read(zip, end + 16, 4);
  EXPECT_EQ(record + read(zip, end + 12, 4), end) << "the directory ends at the end record";
  std::vector<ZipEntry> result;
  for (std::uint32_t n = 0; n < entries; ++n) {
    EXPECT_EQ(read(zip, record, 4), 0x02014B50u);
    const std::size_t local = read(zip, record + 42, 4);
    EXPECT_EQ(read(zip, local, 4), 0x04034B50u);
    // From "version needed" to "extra field length", the two agree.
    EXPECT_EQ(zip.substr(local + 4, 26), zip.substr(record + 6, 26));
    EXPECT_EQ(read(zip, local + 4, 2), 10u) << "version needed";
    EXPECT_EQ(read(zip, local + 8, 2), 0u) << "stored";
    EXPECT_EQ(read(zip, local + 10, 4), 0x00210000u) << "1980-01-01 00:00";
    EXPECT_EQ(read(zip, local + 28, 2), 0u) << "no extra field";
    const std::size_t nameLength = read(zip, local + 26, 2);
    const std::size_t size = read(zip, local + 18, 4);
    EXPECT_EQ(read(zip, local + 22, 4), size);
    ZipEntry entry{std::string(zip.substr(local + 30, nameLength)),
                   std::string(zip.substr(local + 30 + nameLength, size))};
    EXPECT_EQ(read(zip, local + 14, 4), crc32(entry.data)) << entry.name;
    EXPECT_EQ(zip.substr(record + 46, nameLength), entry.name);
    record += 46 + nameLength + read(zip, record + 30, 2) + read(zip, record + 32, 2);
    result.push_back(std::move(entry));
  }
  EXPECT_EQ(record, end);
  return result;
}

TEST(StoredZip, ReadsBackAsWritten) {
  const std::vector<std::vector<ZipEntry>> archives = {
      {},
      {{"empty", ""}},
      {{"a.txt", "123456789"}, {"dir/b.bin", std::string("\0\x01\xff", 3)}, {"c", "宋体"}},
  };
  for (const auto& entries : archives) {
    const std::vector<ZipEntry> back = readZip(storedZip(entries));
    ASSERT_EQ(back.size(), entries.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
      EXPECT_EQ(back[i].name, entries[i].name);
      EXPECT_EQ(back[i].data, entries[i].data);
    }
  }
}

// 0xFFFF entries is the mark of a zip64 archive, which this writer does not make.
TEST(StoredZip, HoldsAtMost65534Entries) {
  EXPECT_THROW((void)storedZip(std::vector<ZipEntry>(65535)), std::length_error);
  const std::string zip = storedZip(std::vector<ZipEntry>(65534));
  EXPECT_EQ(read(zip, zip.size() - 22 + 10, 2), 65534u);
}

TEST(OdtFile, MimetypeFirstAndStoredThenTheParts) {
  const Document document = testing::sampleDocument();
  const std::string file = odtFile(document);
  // Readers sniff the type at this fixed place: the first entry's data at 38.
  EXPECT_EQ(file.substr(30, 8 + 39), "mimetypeapplication/vnd.oasis.opendocument.text");
  const std::vector<ZipEntry> entries = readZip(file);
  ASSERT_EQ(entries.size(), 4u);
  const std::string expected[][2] = {
      {"mimetype", "application/vnd.oasis.opendocument.text"},
      {"META-INF/manifest.xml", odtManifest()},
      {"content.xml", odtContent(document)},
      {"styles.xml", odtStyles()},
  };
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].name, expected[i][0]);
    EXPECT_EQ(entries[i].data, expected[i][1]) << expected[i][0];
  }
}

}  // namespace
}  // namespace quorvane::document
