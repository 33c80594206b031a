#include "text.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace quorvane::document
