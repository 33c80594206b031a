#include "text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace quorvane::document {
namespace {

TEST(CleanText, KeepsWhatAFileCanHoldAndNothingElse) {
  const std::string fffd = "\xef\xbf\xbd";
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"宋体 a\tb\nc", "宋体 a\tb\nc"},
      {"a\r\nb\rc", "a\nb\nc"},
      {std::string("a\0\1\13\14\37\177b", 8), "ab"},
      {"a\xc2\x80\xc2\237b\xc2\xa0", "ab\xc2\xa0"},              // C1 controls out
      {"\xef\xbf\xbe\xef\xbf\xbf\xef\xbf\xbc", "\xef\xbf\xbc"},  // U+FFFE, U+FFFF out
      {"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"},                  // past the BMP
      {"\377a", fffd + "a"},
      {"\200a", fffd + "a"},                            // a lone continuation
      {"\xc0\xaf", fffd + fffd},                        // overlong
      {"\xe0\x80\xaf", fffd + fffd + fffd},             // overlong
      {"\xf0\x80\x80\xa5", fffd + fffd + fffd + fffd},  // overlong
      {"\xed\xa0\x80", fffd + fffd + fffd},             // a surrogate
      {"\xf4\x90\x80\x80", fffd + fffd + fffd + fffd},  // past U+10FFFF
      {"\xe5\xae", fffd},                               // cut short at the end
      {"\xe5\256a", fffd + "a"},                        // cut short before a letter
      {"\xf0\x9f\x98\xe5\xae\x8b", fffd + "宋"},
  };
  for (const auto& c : cases) EXPECT_EQ(cleanText(c.in), c.out) << c.in;
}

TEST(Hundredths, WrittenShortest) {
  const std::pair<int, std::string> cases[] = {
      {0, "0"},     {5, "0.05"}, {9, "0.09"},  {10, "0.1"},    {11, "0.11"},
      {96, "0.96"}, {100, "1"},  {640, "6.4"}, {1010, "10.1"}, {1600, "16"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(hundredths(value), text) << value;
}

// Each row's cells on three columns: (the cell's index, or -1 for a filling
// one, and its span) as placed.
TEST(PlaceCells, CoverTheColumnsExactly) {
  const struct {
    std::vector<int> spans;
    std::vector<std::pair<int, int>> placed;
  } cases[] = {
      {{1, 1, 1}, {{0, 1}, {1, 1}, {2, 1}}},
      {{2}, {{0, 2}, {-1, 1}}},  // a short row filled
      {{}, {{-1, 1}, {-1, 1}, {-1, 1}}},
      {{0, -1, 1}, {{0, 1}, {1, 1}, {2, 1}}},       // spans below 1 as 1
      {{2, 5}, {{0, 2}, {1, 1}}},                   // clamped to the columns left
      {{1, 1, 1, 1, 2}, {{0, 1}, {1, 1}, {2, 1}}},  // past the last column left out
  };
  for (const auto& c : cases) {
    Row row;
    for (int span : c.spans) row.cells.push_back(Cell{{}, span});
    std::vector<std::pair<int, int>> placed;
    for (const PlacedCell& p : placeCells(row, 3)) {
      placed.emplace_back(p.cell == nullptr ? -1 : static_cast<int>(p.cell - row.cells.data()),
                          p.span);
    }
    EXPECT_EQ(placed, c.placed) << c.spans.size();
  }
}

}  // namespace
}  // namespace quorvane::document
