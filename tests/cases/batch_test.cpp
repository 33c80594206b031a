#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "batch.h"

namespace quorvane::batch {
namespace {

const std::string kDates =
    "受害人生日年,受害人生日月,受害人生日日,事故发生日年,事故发生日月,事故发生日日,伤残等级";
const std::string kStartup = "1988,8,8,2011,11,11,一";
// The start-up case with no other field: only the disability compensation and
// the total are non-zero.
std::string startupRow() {
  std::string row = ",581460";
  for (int i = 0; i < 20; ++i) row += ",0";
  return row + ",581460\n";
}

std::string outputOf(const std::string& csv, const Options& options = {}) {
  auto result = run(csv, options);
  if (auto* error = std::get_if<InputError>(&result)) {
    ADD_FAILURE() << "line " << error->line << ": " << error->reason;
    return {};
  }
  return std::get<std::string>(result);
}

std::vector<std::string> rowsOf(const std::string& output) {
  std::vector<std::string> rows;
  std::size_t start = 0;
  while (start < output.size()) {
    const auto end = output.find('\n', start);
    rows.push_back(output.substr(start, end - start));
    start = end + 1;
  }
  return rows;
}

TEST(Batch, ReadsTheSameCaseInEveryAcceptedForm) {
  const std::string expected = resultHeader() + startupRow();
  const std::string forms[] = {
      kDates + "\n" + kStartup + "\n",
      kDates + "\r\n" + kStartup + "\r\n",
      kDates + "\r" + kStartup + "\r",
      kDates + "\n" + kStartup,                          // no final line end
      "\xEF\xBB\xBF" + kDates + "\n" + kStartup + "\n",  // byte-order mark
      kDates + "\n\n" + kStartup + "\n\n\n",             // empty lines
      kDates + "\n\"1988\",\"8\",\"8\",\"2011\",\"11\",\"11\",\"一\"\n",
  };
  for (const auto& csv : forms) EXPECT_EQ(outputOf(csv), expected) << csv;
}

TEST(Batch, ColumnsInAnyOrderAndUnnamedFieldsEmpty) {
  const auto output = outputOf(
      "伤残等级,事故发生日日,事故发生日月,事故发生日年,受害人生日日,受害人生日月,受害人生日年\n"
      "二,11,11,2011,8,8,1988\n"
      "二,11,11,2011,8,8,\n");
  const auto rows = rowsOf(output);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_TRUE(rows[1].starts_with(",523313.986136913,")) << rows[1];
  EXPECT_EQ(rows[2], "请选择受害人生日." + std::string(22, ','));
}

TEST(Batch, QuotedFieldsKeepCommasQuotesBlanksAndLineEnds) {
  // "1,500" reads 1 day; a leading blank makes the year an uncovered one.
  const auto output = outputOf(kDates + ",住院天数,医疗费\n" + kStartup +
                               ",\"1,500\",\"7\"\"\n8\"\n" + "1988,8,8, 2011,11,11,一,2,\n");
  const auto rows = rowsOf(output);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_TRUE(rows[1].starts_with(",581460,0,0,50,")) << rows[1];
  EXPECT_TRUE(rows[1].ends_with(",7,0,0,581517")) << rows[1];
  EXPECT_TRUE(rows[2].starts_with("请升级,0,")) << rows[2];
}

TEST(Batch, ReportsTheStopAfterANotice) {
  const auto rows = rowsOf(outputOf(kDates + ",兄弟姐妹人数\n1988,8,8,2013,11,11,一,-1\n"));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1], "兄弟姐妹人数不能为-1." + std::string(22, ','));
}

TEST(Batch, RefusesInputItCannotRead) {
  const struct {
    std::string csv;
    std::size_t line;
    const char* reasonPart;
  } cases[] = {
      {"受害人生日年,出生地\n1988,北京\n", 1, "\"出生地\" in the header is not an input field"},
      {"医疗费,交通费,医疗费\n1,2,3\n", 1, "stands twice"},
      {"\n\n医疗费, 交通费\n", 3, "\" 交通费\" in the header"},
      {"医疗费,交通费\n1,2\n1,2,3\n", 3, "the row has 3 fields but the header names 2"},
      {"医疗费,交通费\n1,2\n\n1\n", 4, "the row has 1 fields"},
      {"医疗费\n1\n\"2\"x\n", 3, "broken quoting"},
      {"医疗费\n1\n2\"x\n", 3, "broken quoting"},
      {"医疗费\n1\n\"2\n3\n", 3, "not closed"},
      {"医疗费\n1\n\xFF\n", 3, "not UTF-8"},
      {"医疗费\r\n1\r\n\xE5\xBC\n", 3, "not UTF-8"},
      {"医疗费\n\"a\nb\",\n", 2, "the row has 2 fields"},
      {"\"医疗\r\n费\"\n1\n", 1, "\"医疗\\r\\n费\" in the header is not an input field"},
  };
  for (const auto& c : cases) {
    const auto result = run(c.csv);
    const auto* error = std::get_if<InputError>(&result);
    ASSERT_NE(error, nullptr) << c.csv;
    EXPECT_EQ(error->line, c.line) << c.csv;
    EXPECT_NE(error->reason.find(c.reasonPart), std::string::npos) << error->reason;
  }
}

// The input as it may come from a pipe: cut anywhere, even inside a CRLF, a
// byte-order mark, a quoted field or a GB18030 character.
TEST(Batch, ReadsTheSameInPiecesOfAnySize) {
  const std::string utf8 = "\xEF\xBB\xBF" + kDates + ",案号\r\n" + kStartup + ",\"a\r\nb\"\r\r\n" +
                           kStartup + ",甲\r" + kStartup + ",\"\"\"\"\n";
  // The same text in GB18030, with a four-byte character (U+20000) added.
  const std::string gb =
      "\x84\x31\x95\x33\xca\xdc\xba\xa6\xc8\xcb\xc9\xfa\xc8\xd5\xc4\xea,"
      "\xb0\xb8\xba\xc5\r\n1988,\x95\x32\x82\x36\n";
  Options keep;
  keep.keep = {"案号"};
  Options gbKeep = keep;
  gbKeep.encoding = Encoding::gb18030;
  for (const auto& [text, options] : {std::pair{utf8, keep}, std::pair{gb, gbKeep}}) {
    const auto whole = run(text, options);
    ASSERT_TRUE(std::holds_alternative<std::string>(whole)) << std::get<InputError>(whole).reason;
    for (std::size_t piece = 1; piece <= 9; ++piece) {
      Reader reader(options);
      for (std::size_t at = 0; at < text.size(); at += piece) reader.feed(text.substr(at, piece));
      const auto error = reader.finish();
      EXPECT_FALSE(error) << piece << ": " << error->reason;
      EXPECT_EQ(reader.output(), std::get<std::string>(whole)) << piece;
    }
  }
  EXPECT_NE(std::get<std::string>(run(gb, gbKeep)).find("\n\xF0\xA0\x80\x80,"), std::string::npos);
}

// Kept columns anywhere in the header, in the order asked: in CSV they lead
// the row, and in a report each stands under the case's heading.
TEST(Batch, KeepsColumnsThatAreNotTheFirst) {
  const std::string csv =
      kDates + ",姓名,案号\n" + kStartup + ",张三,A1\n" + kStartup + ",李四,A2\n";
  const struct {
    std::vector<std::string> keep;
    std::string csvRow;   // the start of the first case's CSV row
    std::string heading;  // the first case's report from its heading to the first line after
  } cases[] = {
      {{"姓名", "案号"}, "张三,A1,,581460,", "====\n姓名：张三\n案号：A1\n人身"},
      {{"案号", "姓名"}, "A1,张三,,581460,", "====\n案号：A1\n姓名：张三\n人身"},
      {{"案号", "伤残等级", "姓名"},
       "A1,一,张三,,581460,",
       "====\n案号：A1\n伤残等级：一\n姓名：张三\n人身"},
      {{"姓名", "受害人生日月", "案号", "事故发生日日"},
       "张三,8,A1,11,,581460,",
       "====\n姓名：张三\n受害人生日月：8\n案号：A1\n事故发生日日：11\n人身"},
  };
  for (const auto& c : cases) {
    Options options;
    options.keep = c.keep;
    const auto rows = rowsOf(outputOf(csv, options));
    ASSERT_EQ(rows.size(), 3u) << c.csvRow;
    EXPECT_TRUE(rows[1].starts_with(c.csvRow)) << rows[1];
    options.explain = true;
    const auto report = outputOf(csv, options);
    const auto first = report.find("\n==== 案例 2");
    ASSERT_NE(first, std::string::npos) << report;
    EXPECT_NE(report.substr(0, first).find(c.heading), std::string::npos) << report;
    // The first report opens the output; the next follows one empty line.
    EXPECT_TRUE(report.starts_with("==== 案例 1（输入第 2 行）====\n")) << report;
    EXPECT_TRUE(report.substr(0, first).ends_with("\n") &&
                !report.substr(0, first).ends_with("\n\n"))
        << report;
  }
}

// GB18030 is decoded into a 64 KiB buffer, which must have room for the
// UTF-8 of a whole run of non-ASCII characters (up to 4096 bytes, half as
// much again once decoded) before the run is decoded. Here such a run begins
// at every distance from the buffer's end that matters, in a file of about
// 64 KiB read whole or in pieces; it must read as its UTF-8 twin does.
TEST(Batch, Gb18030RunsThatReachTheEndOfTheDecodeBuffer) {
  constexpr std::size_t kBuffer = 1 << 16;
  const std::string header = "note\n";
  Options gbOptions;
  gbOptions.keep = {"note"};
  gbOptions.encoding = Encoding::gb18030;
  Options utf8Options;
  utf8Options.keep = {"note"};
  const std::size_t rooms[] = {1,    2,    3,    100,  4095, 4096, 4097, 5000,
                               6143, 6144, 6145, 8191, 8192, 8193, 12289};
  const struct {
    std::size_t characters;
    const char* gb;
    const char* utf8;
  } runs[] = {
      {1, "\xD6\xD0", "\xE4\xB8\xAD"},  // 中
      {2048, "\xD6\xD0", "\xE4\xB8\xAD"},
      {2049, "\xD6\xD0", "\xE4\xB8\xAD"},
      {5000, "\xD6\xD0", "\xE4\xB8\xAD"},
      // Four-byte forms whose second byte is the first or the last digit, in
      // a run that must be cut between characters at 4096 bytes.
      {1100, "\x90\x30\x81\x31", "\xF0\x90\x80\x81"},  // U+10001
      {1100, "\x81\x39\x81\x30", "\xE2\xBA\x91"},      // U+2E91
  };
  for (std::size_t room : rooms) {
    for (const auto& r : runs) {
      const std::size_t filler = kBuffer - room - header.size();
      std::string gb = header + std::string(filler, 'a');
      std::string utf8 = gb;
      for (std::size_t i = 0; i < r.characters; ++i) {
        gb += r.gb;
        utf8 += r.utf8;
      }
      gb += "\nb\n";
      utf8 += "\nb\n";
      const auto expected = outputOf(utf8, utf8Options);
      const std::string at = std::to_string(room) + " left, " + std::to_string(r.characters) +
                             " of " + std::to_string(std::strlen(r.gb)) + " bytes";
      const auto whole = run(gb, gbOptions);
      ASSERT_TRUE(std::holds_alternative<std::string>(whole))
          << at << ": " << std::get<InputError>(whole).reason;
      EXPECT_EQ(std::get<std::string>(whole), expected) << at;
      for (std::size_t piece : {std::size_t{4097}, kBuffer}) {
        Reader reader(gbOptions);
        for (std::size_t i = 0; i < gb.size(); i += piece) reader.feed(gb.substr(i, piece));
        const auto error = reader.finish();
        ASSERT_FALSE(error) << at << " in pieces of " << piece << ": " << error->reason;
        EXPECT_EQ(reader.output(), expected) << at << " in pieces of " << piece;
      }
    }
  }
}

// A reader with onCase hands each case over, its kept columns in the order
// asked, and computes and writes nothing; with keepIfPresent a kept column the
// header lacks, or an input with no header at all, is no fault.
TEST(Batch, HandsCasesOverWithoutWritingAnything) {
  struct Handed {
    std::size_t line;
    std::string grade;
    std::vector<std::string> kept;
    bool operator==(const Handed&) const = default;
  };
  const struct {
    std::string input;
    std::vector<Handed> handed;
  } cases[] = {
      {"伤残等级,案号\n二,A1\n\n\"三\",A2\n", {{2, "二", {"A1", ""}}, {4, "三", {"A2", ""}}}},
      {"姓名,伤残等级,案号\n张三,一,A1\n", {{2, "一", {"A1", "张三"}}}},
      {"医疗费\n5\n", {{2, "", {"", ""}}}},
      {"", {}},
  };
  for (const auto& c : cases) {
    std::vector<Handed> handed;
    Options options;
    options.keep = {"案号", "姓名"};
    options.keepIfPresent = true;
    options.onCase = [&](std::size_t line, const CaseInput& input, const claim::ClaimInput&,
                         const complaint::ComplaintInput&, const std::vector<std::string>& kept) {
      handed.push_back({line, input.伤残等级, kept});
    };
    Reader reader(options);
    reader.feed(c.input);
    const auto error = reader.finish();
    EXPECT_FALSE(error) << c.input << ": " << error->reason;
    EXPECT_EQ(reader.output(), "") << c.input;
    EXPECT_TRUE(handed == c.handed) << c.input;
  }
}

TEST(Batch, EmptyInputGivesTheHeaderOnly) {
  EXPECT_EQ(outputOf(""), resultHeader());
  EXPECT_EQ(outputOf("医疗费\n"), resultHeader());
}

}  // namespace
}  // namespace quorvane::batch
