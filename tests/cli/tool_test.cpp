// The built quorvane-calc, run as a user runs it: files, standard input, exit
// status and the two output streams.

#include <gtest/gtest.h>

#include <iconv.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "batch.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status;
  std::string out, err;
};

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class Tool : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("quorvane-cli-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    // Never the real user's standards file: an empty config folder of the test's own.
    ::setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path write(const std::string& name, const std::string& text) {
    const auto path = dir_ / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  Outcome run(const std::string& arguments, const std::string& stdinText = "") {
    const auto in = write("stdin", stdinText);
    const std::string command = std::string("'") + QUORVANE_CALC_BINARY + "' " + arguments + " <'" +
                                in.string() + "' >'" + (dir_ / "out").string() + "' 2>'" +
                                (dir_ / "err").string() + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(dir_ / "out"), slurp(dir_ / "err")};
  }

  // The names in a folder, sorted.
  static std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
};

const std::string kHeader =
    "受害人生日年,受害人生日月,受害人生日日,事故发生日年,事故发生日月,事故发生日日,伤残等级\n";

TEST_F(Tool, ReadsAFileOrStandardInput) {
  const std::string csv = kHeader + "1988,8,8,2011,11,11,二\r\n";
  const auto path = write("cases.csv", csv);
  for (const auto& r : {run("'" + path.string() + "'"), run("", csv), run("-", csv)}) {
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("\n,523313.986136913,0,"), std::string::npos) << r.out;
    EXPECT_TRUE(r.out.starts_with("提示,伤残赔偿金,")) << r.out;
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
  }
}

// The tool works claim sheets out on a second thread: on a few hundred cases
// of every kind, refused sheets and stopped rows among them, in more than one
// piece of input, it writes what the library writes on one thread.
TEST_F(Tool, ClaimSheetsOnTheSecondThreadAsOnOne) {
  const std::vector<std::pair<std::string_view, std::vector<const char*>>> choices{
      {"受害人生日年", {"1930", "1936", "1950", "1951", "1988", "2011", ""}},
      {"受害人生日月", {"1", "2", "6", "12"}},
      {"受害人生日日", {"1", "10", "28", "29"}},
      {"事故发生日年", {"2011", "2012"}},
      {"事故发生日月", {"1", "6", "11"}},
      {"事故发生日日", {"1", "11", "30"}},
      {"夫妻或单亲", {"", "夫妻", "单亲"}},
      {"伤残等级", {"一", "五", "十", ""}},
      {"人员1的护理天数", {"", "30", "10.5"}},
      {"护理人员1的工资", {"", "100", "33.33"}},
      {"住院天数", {"", "20", "0.5"}},
      {"误工天数", {"", "90"}},
      {"最近三年日平均收入", {"", "200", "0.01"}},
      {"住宿天数", {"", "3", "10"}},
      {"孩子1年龄", {"", "1", "4", "17", "3.5"}},
      {"孩子6年龄", {"", "", "1", "17"}},
      {"老人1年龄", {"", "60", "61", "75", "80"}},
      {"老人4年龄", {"", "", "65", "75"}},
      {"兄弟姐妹人数", {"", "0", "2", "3"}},
      {"医疗费", {"", "35000.50", "800", "", "35000.50", "1.005"}},
      {"营养费", {"", "600"}},
      {"计算标准年度", {"", "2011", "2012", "2014", "2014", "2013"}},
      {"定残日", {"", "", "", "", "2014-12-01", "2012-02-30"}},
      {"伤残附加指数", {"", "3", "0.05"}},
      {"精神损害抚慰金", {"", "10000"}},
      {"交强险", {"", "有责", "无责", "无"}},
      {"责任比例", {"", "70", "0.01"}},
      {"商业三者险限额", {"", "40000", "500000"}},
      {"案件类型", {"", "伤残", "", "死亡"}},
      {"简易程序", {"", "", "是", "否"}},
  };
  std::string csv = "案号";
  for (const auto& [name, texts] : choices) csv += "," + std::string(name);
  std::uint32_t seed = 31;
  for (int k = 1; k <= 700; ++k) {
    csv += "\n" + std::to_string(k);
    for (const auto& [name, texts] : choices) {
      seed = seed * 1'103'515'245u + 12'345u;
      csv += std::string(",") + texts[(seed >> 16) % texts.size()];
    }
  }
  csv += "\n";
  ASSERT_GT(csv.size(), std::size_t{1} << 16);  // more than the tool reads at once
  // A row with a wage, for deaths, and meals and lodging at different rates.
  const auto standards =
      write("standards.csv",
            "年度,城镇居民人均可支配收入,城镇居民人均消费性支出,住院伙食补助标准,"
            "住宿补助标准,职工平均工资\n2014,40321,26275,100,50,69521\n");
  const auto r = run("--standards '" + standards.string() + "' --keep 案号 '" +
                     write("claims.csv", csv).string() + "'");
  EXPECT_EQ(r.status, 0);
  quorvane::batch::Options oneThread;
  oneThread.keep = {"案号"};
  quorvane::Standards row{40321, 26275, 100, 50};
  row.averageWage = 69521;
  oneThread.standards.add("2014", row, "");
  const auto expected = std::get<std::string>(quorvane::batch::run(csv, oneThread));
  EXPECT_EQ(std::count(expected.begin(), expected.end(), '\n'), 701);
  EXPECT_EQ(r.out, expected);
}

TEST_F(Tool, RefusesWithOneLineAndNothingOnStandardOutput) {
  const struct {
    std::string csv;
    std::string errorStart;
  } cases[] = {
      {"医疗费\n1\n\"2\"x\n", "quorvane-calc: FILE:3: "},
      {"医疗费,医疗费\n", "quorvane-calc: FILE:1: "},
      {"年龄\n1\n", "quorvane-calc: FILE:1: "},
      {kHeader + "1988,8,8,2011,11,11,二\n1988,8\n", "quorvane-calc: FILE:3: "},
      {"医疗费\n\xC0\xAF\n", "quorvane-calc: FILE:2: "},
  };
  for (const auto& c : cases) {
    const auto path = write("bad.csv", c.csv);
    const auto r = run("'" + path.string() + "'");
    EXPECT_EQ(r.status, 2) << c.csv;
    EXPECT_EQ(r.out, "") << c.csv;
    std::string expected = c.errorStart;
    expected.replace(expected.find("FILE"), 4, path.string());
    EXPECT_TRUE(r.err.starts_with(expected)) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
}

TEST_F(Tool, MissingFileAndBadArguments) {
  auto r = run("'" + (dir_ / "absent.csv").string() + "'");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("absent.csv: No such file or directory"), std::string::npos) << r.err;

  r = run("'" + dir_.string() + "'");  // a folder cannot be read as a file
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");

  r = run("--frobnicate");
  EXPECT_EQ(r.status, 2);
  r = run("a.csv b.csv");
  EXPECT_EQ(r.status, 2);
}

TEST_F(Tool, HelpListsEveryFieldAndVersionPrints) {
  auto r = run("--help");
  EXPECT_EQ(r.status, 0);
  for (const char* name : {"受害人生日年", "兄弟姐妹人数", "残疾辅助器具", "最近三年日平均收入",
                           "其他受害人财产损失", "简易程序", "原告姓名", "先行调解"}) {
    EXPECT_NE(r.out.find(std::string("  ") + name + "\n"), std::string::npos) << name;
  }
  EXPECT_NE(r.out.find("last 案件受理费"), std::string::npos);
  r = run("--version");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("quorvane-calc ")) << r.out;
}

TEST_F(Tool, ExplainWritesAReportPerCase) {
  const auto path = write("cases.csv", kHeader + "1988,8,8,2011,11,11,二\n1988,,8,2011,11,11,二\n");
  auto r = run("--explain '" + path.string() + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  for (const char* part : {"==== 案例 1（输入第 2 行）====", "人身损害赔偿计算书", "仅供参考",
                           "伤残赔偿金：523313.986136913", "29073 元 × 20 年 × 0.9（二级）",
                           "==== 案例 2（输入第 3 行）====", "计算中止：请选择受害人生日."}) {
    EXPECT_NE(r.out.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(r.out.find("提示,伤残赔偿金"), std::string::npos);

  r = run("--explain '" + write("bad.csv", "年龄\n1\n").string() + "'");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
}

TEST_F(Tool, TheShippedExampleRuns) {
  const auto r = run(std::string("'") + QUORVANE_EXAMPLES_DIR + "/cases.csv'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find(",237427.193710327,"), std::string::npos) << r.out;

  const auto listed = run(std::string("--standards '") + QUORVANE_EXAMPLES_DIR +
                          "/standards-beijing.csv' --list-standards");
  EXPECT_EQ(listed.status, 0) << listed.err;
  EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 12) << listed.out;
}

const std::string kStandardsHeader =
    "年度,城镇居民人均可支配收入,城镇居民人均消费性支出,住院伙食补助标准,住宿补助标准,"
    "职工平均工资,来源\n";

TEST_F(Tool, GoesByTheUsersStandardsFileOrTheOneNamed) {
  const auto cases = write("cases.csv", kHeader + "1988,8,8,2024,11,11,一\n");
  const std::string userRow = "2024,88650,50897,50,50,101599,公报\n";
  const std::string namedRow = "2024,1000,1000,50,50,,\n";
  const auto named = write("named.csv", kStandardsHeader + namedRow);

  auto r = run("'" + cases.string() + "'");  // no file: the year is not covered
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\n请升级,0,"), std::string::npos) << r.out;

  fs::create_directories(dir_ / "config/quorvane");
  std::ofstream(dir_ / "config/quorvane/standards.csv") << kStandardsHeader << userRow;
  r = run("'" + cases.string() + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\n,1773000,"), std::string::npos) << r.out;

  r = run("--standards '" + named.string() + "' '" + cases.string() + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\n,20000,"), std::string::npos) << r.out;

  r = run("--list-standards");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kStandardsHeader +
                       "2011,29073,19934,50,50,,内置\n2012,32903,21984,50,50,,内置\n" + userRow);
  r = run("--standards '" + named.string() + "' --list-standards");
  EXPECT_TRUE(r.out.ends_with("\n" + namedRow)) << r.out;
}

TEST_F(Tool, ARefusedStandardsFileIsRefusedLikeBadInput) {
  const auto cases = write("cases.csv", kHeader + "1988,8,8,2011,11,11,一\n");
  const auto bad =
      write("bad.csv", kStandardsHeader + "2013,36469,24046,50,50,,\n2011,1,1,1,1,,\n");
  auto r = run("--standards '" + bad.string() + "' '" + cases.string() + "'");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(r.err.starts_with("quorvane-calc: " + bad.string() + ":3: ")) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;

  r = run("--standards '" + (dir_ / "absent.csv").string() + "' --list-standards");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");

  fs::create_directories(dir_ / "config/quorvane");
  fs::copy_file(bad, dir_ / "config/quorvane/standards.csv");
  r = run("'" + cases.string() + "'");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("config/quorvane/standards.csv:3: "), std::string::npos) << r.err;
}

// The same text in another encoding, through the C library.
std::string encoded(const std::string& utf8, const char* encoding) {
  const iconv_t cd = iconv_open(encoding, "UTF-8");
  std::string out(utf8.size() * 2, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* to = out.data();
  std::size_t toLeft = out.size();
  EXPECT_NE(iconv(cd, &in, &inLeft, &to, &toLeft), static_cast<std::size_t>(-1)) << encoding;
  iconv_close(cd);
  out.resize(out.size() - toLeft);
  return out;
}

const std::string kCases = std::string("案号,") + kHeader.substr(0, kHeader.size() - 1) +
                           ",夫妻或单亲\n" + "（2024）京0105民初1号,1988,8,8,2011,11,11,二,夫妻\n" +
                           "\"甲,\"\"乙\"\"\",1980,1,1,2012,11,11,一,单亲\n";

TEST_F(Tool, ReadsGb18030AndGbkAsTheSameCases) {
  const auto expected = run("--keep 案号 '" + write("utf8.csv", kCases).string() + "'");
  ASSERT_EQ(expected.status, 0) << expected.err;
  for (const char* encoding : {"GB18030", "GBK", "gb2312"}) {
    const auto path = write("cases.csv", encoded(kCases, encoding));
    for (const char* name : {"gb18030", "GBK", "Gb2312"}) {
      const auto r =
          run(std::string("--encoding ") + name + " --keep 案号 '" + path.string() + "'");
      EXPECT_EQ(r.status, 0) << encoding << " " << name << ": " << r.err;
      EXPECT_EQ(r.out, expected.out) << encoding << " " << name;
    }
  }
  // A four-byte GB18030 character (U+20000) in a kept column comes through.
  const auto r =
      run("--encoding gb18030 --keep 案号 '" +
          write("four.csv", encoded("案号\n", "GB18030") + "\x95\x32\x82\x36\n").string() + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\n\xF0\xA0\x80\x80,"), std::string::npos) << r.out;
}

TEST_F(Tool, RefusesTextNotInItsEncoding) {
  const std::string gbk = encoded(kCases, "GBK");
  const struct {
    std::string options, csv, errorPart;
  } cases[] = {
      {"--keep 案号", gbk,
       ":1: not UTF-8 text (save the spreadsheet as CSV UTF-8, or try --encoding "
       "gb18030)"},
      {"--encoding gb18030", encoded("医疗费\n1\n", "GB18030") + "\xFF\n", ":3: not GB18030 text"},
      {"--encoding gb18030", encoded("医疗费\r\n1\r\n", "GB18030") + "2\x81\r\n",
       ":3: not GB18030 text"},
      {"--encoding gb18030", encoded("医疗费\r1\r", "GB18030") + "\x81", ":3: not GB18030 text"},
      {"--encoding gb18030", "\x80\n", ":1: not GB18030 text"},
      {"--encoding latin1", kCases,
       "--encoding: \"latin1\" is not supported; accepted: utf-8, "
       "gb18030 (also gbk, gb2312)"},
  };
  for (const auto& c : cases) {
    const auto r = run(c.options + " '" + write("in.csv", c.csv).string() + "'");
    EXPECT_EQ(r.status, 2) << c.errorPart;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.errorPart), std::string::npos) << r.err;
  }
}

TEST_F(Tool, KeepCarriesColumnsThroughAsRead) {
  const auto path = "'" + write("cases.csv", kCases).string() + "'";
  const struct {
    std::string options;
    int status;
    std::string part;  // of standard output, or of standard error when refused
  } cases[] = {
      {"--keep 案号", 0, "案号,提示,伤残赔偿金,"},
      {"--keep 案号", 0, "\n（2024）京0105民初1号,,523313.986136913,"},
      {"--keep 案号", 0, "\n\"甲,\"\"乙\"\"\",,"},
      {"--keep 夫妻或单亲 --keep 案号 --keep 伤残等级", 0,
       "夫妻或单亲,案号,伤残等级,提示,伤残赔偿金,"},
      {"--keep 夫妻或单亲 --keep 案号 --keep 伤残等级", 0, "\n单亲,\"甲,\"\"乙\"\"\",一,,"},
      {"--keep=案号 --explain", 0, "====\n案号：甲,\"乙\"\n"},
      {"", 2,
       ":1: \"案号\" in the header is not an input field (to carry another column "
       "through, use --keep)"},
      {"--keep 案号 --keep 姓名", 2, ":1: --keep \"姓名\": the header has no such column"},
  };
  for (const auto& c : cases) {
    const auto r = run(c.options + " " + path);
    EXPECT_EQ(r.status, c.status) << c.options << r.err;
    EXPECT_NE((c.status == 0 ? r.out : r.err).find(c.part), std::string::npos) << c.options << "\n"
                                                                               << r.out << r.err;
  }
}

TEST_F(Tool, ExcelOutputHasAByteOrderMarkAndCrlfRows) {
  const auto path = "'" + write("cases.csv", kCases).string() + "'";
  const auto plain = run("--keep 案号 " + path);
  const auto excel = run("--excel --keep 案号 " + path);
  ASSERT_EQ(excel.status, 0) << excel.err;
  std::string expected = "\xEF\xBB\xBF";
  for (char c : plain.out) expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(excel.out, expected);
  // Refused for --excel itself, with input the same options without it accept.
  ASSERT_EQ(run("--explain --keep 案号 " + path).status, 0);
  for (const char* options : {"--excel --explain --keep 案号 ", "--explain --keep 案号 --excel "}) {
    const auto r = run(options + path);
    EXPECT_EQ(r.status, 2) << options;
    EXPECT_EQ(r.out, "") << options;
    EXPECT_NE(r.err.find("--excel: applies to CSV results, not to --explain"), std::string::npos)
        << options << r.err;
  }
}

TEST_F(Tool, OutputFileIsReplacedOnlyWhenAllSucceeds) {
  const auto folder = dir_ / "results";
  fs::create_directories(folder);
  const auto file = folder / "results.csv";
  const std::string good = kCases;
  const std::string badLate = kCases + "（2024）3号,1988,8\n";
  const struct {
    std::string csv;
    int status;
    bool replaced;
  } cases[] = {
      {good, 0, true},
      {badLate, 2, false},
      {"\xFF", 2, false},
  };
  for (const auto& c : cases) {
    std::ofstream(file, std::ios::binary) << "old results";
    const auto r =
        run("--keep 案号 -o '" + file.string() + "' '" + write("in.csv", c.csv).string() + "'");
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"results.csv"});
    if (c.replaced) {
      EXPECT_EQ(slurp(file), run("--keep 案号 '" + write("in.csv", c.csv).string() + "'").out);
    } else {
      EXPECT_EQ(slurp(file), "old results");
    }
  }
}

// The results replace FILE with FILE's own mode, or take a new file's mode
// under the umask. The mode bits are read back, not inferred from what the
// user may open: the tests may run as root, who opens anything.
TEST_F(Tool, OutputFileKeepsTheModeOfTheFileItReplaces) {
  const auto folder = dir_ / "results";
  fs::create_directories(folder);
  const auto file = folder / "results.csv";
  const auto input = write("in.csv", kCases);
  const struct {
    std::optional<mode_t> existing;  // empty: no file yet
    mode_t umask;
    mode_t expected;
  } cases[] = {
      {0600, 022, 0600}, {0640, 022, 0640}, {0604, 077, 0604}, {0666, 077, 0666},
      {0444, 022, 0444}, {{}, 022, 0644},   {{}, 077, 0600},   {{}, 002, 0664},
  };
  for (const auto& c : cases) {
    fs::remove(file);
    if (c.existing) {
      std::ofstream(file, std::ios::binary) << "old results";
      ASSERT_EQ(::chmod(file.c_str(), *c.existing), 0);
    }
    const mode_t saved = ::umask(c.umask);
    const auto r = run("--keep 案号 -o '" + file.string() + "' '" + input.string() + "'");
    ::umask(saved);
    const auto octal = [](mode_t mode) {
      char text[16];
      std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode));
      return std::string(text);
    };
    const std::string what =
        (c.existing ? octal(*c.existing) : std::string("new")) + " under umask " + octal(c.umask);
    EXPECT_EQ(r.status, 0) << what << ": " << r.err;
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0) << what;
    EXPECT_EQ(octal(info.st_mode & 07777), octal(c.expected)) << what;
    EXPECT_NE(slurp(file), "old results") << what;
  }
}

TEST_F(Tool, AFailedWriteLeavesTheOutputFileAsItWas) {
  // A file size limit stands in for a full disk.
  const auto folder = dir_ / "results";
  fs::create_directories(folder);
  const auto file = folder / "results.csv";
  std::ofstream(file, std::ios::binary) << "old results";
  std::string csv = kHeader;
  for (int i = 0; i < 20000; ++i) csv += "1988,8,8,2011,11,11,二\n";
  const auto r = run("-o '" + file.string() + "' '" + write("in.csv", csv).string() +
                     "'; (ulimit -f 64; '" + QUORVANE_CALC_BINARY + "' -o '" + file.string() +
                     "' '" + (dir_ / "in.csv").string() + "')");
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_NE(r.err.find("results.csv: File too large"), std::string::npos) << r.err;
  EXPECT_EQ(namesIn(folder), std::vector<std::string>{"results.csv"});
}

// quorvane-calc -o FILE reading cases from a pipe, with standard error on a
// pseudo-terminal or a pipe; returns the process and the two descriptors.
struct Child {
  pid_t pid;
  int input;     // the write end of its standard input
  int stderrFd;  // what it writes to standard error
};

Child startReading(const fs::path& output, bool terminal) {
  int in[2], err[2] = {-1, -1};
  EXPECT_EQ(::pipe(in), 0);
  int master = -1;
  pid_t pid;
  if (terminal) {
#ifdef __EMSCRIPTEN__
    pid = -1;  // no pseudo-terminals in wasm; the subprocess tests do not run there
#else
    pid = ::forkpty(&master, nullptr, nullptr, nullptr);
#endif
  } else {
    EXPECT_EQ(::pipe(err), 0);
    pid = ::fork();
  }
  if (pid == 0) {
    ::dup2(in[0], STDIN_FILENO);
    if (!terminal) ::dup2(err[1], STDERR_FILENO);
    ::close(in[1]);
    ::execl(QUORVANE_CALC_BINARY, QUORVANE_CALC_BINARY, "-o", output.c_str(), nullptr);
    ::_exit(127);
  }
  ::close(in[0]);
  if (!terminal) ::close(err[1]);
  return {pid, in[1], terminal ? master : err[0]};
}

void send(int fd, const std::string& text) {
  for (std::size_t done = 0; done < text.size();) {
    const auto n = ::write(fd, text.data() + done, text.size() - done);
    ASSERT_GT(n, 0);
    done += static_cast<std::size_t>(n);
  }
}

std::string readAll(int fd) {
  std::string text;
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
    if (n > 0) text.append(buffer, static_cast<std::size_t>(n));
  }
  return text;  // a terminal's master reads EIO once the child has gone
}

std::string rows(int count) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += "1988,8," + std::to_string(1 + i % 28) + ",2011,11,11,二\n";
  return text;
}

TEST_F(Tool, AnInterruptLeavesTheOutputFileAsItWas) {
  ::signal(SIGPIPE, SIG_IGN);
  const auto folder = dir_ / "results";
  fs::create_directories(folder);
  const auto file = folder / "results.csv";
  std::ofstream(file, std::ios::binary) << "old results";
  const auto child = startReading(file, false);
  send(child.input, kHeader);
  // Part way: once results have reached the temporary file.
  bool started = false;
  for (int i = 0; i < 400 && !started; ++i) {
    send(child.input, rows(1000));
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path() != file && fs::file_size(entry.path()) > 0) started = true;
    }
  }
  EXPECT_TRUE(started);
  ::kill(child.pid, SIGTERM);
  int status = 0;
  ::waitpid(child.pid, &status, 0);
  ::close(child.input);
  ::close(child.stderrFd);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  EXPECT_EQ(slurp(file), "old results");
  EXPECT_EQ(namesIn(folder), std::vector<std::string>{"results.csv"});
}

TEST_F(Tool, ShowsProgressOnlyOnATerminal) {
  ::signal(SIGPIPE, SIG_IGN);
  for (const bool terminal : {true, false}) {
    const auto file = dir_ / "results.csv";
    const auto child = startReading(file, terminal);
    // Two pieces over a second apart: the run lasts long enough to show.
    send(child.input, kHeader + rows(1000));
    std::this_thread::sleep_for(std::chrono::milliseconds(1300));
    send(child.input, rows(1000));
    ::close(child.input);
    const auto err = readAll(child.stderrFd);
    ::close(child.stderrFd);
    int status = 0;
    ::waitpid(child.pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << err;
    if (terminal) {
      EXPECT_TRUE(err.starts_with("\rquorvane-calc: ")) << err;
      EXPECT_NE(err.find(" cases, "), std::string::npos) << err;
      EXPECT_NE(err.find(" cases/s"), std::string::npos) << err;
      EXPECT_TRUE(err.ends_with("\r\33[K")) << err;  // cleared at the end
    } else {
      EXPECT_EQ(err, "");
    }
    const auto results = slurp(file);
    EXPECT_EQ(std::count(results.begin(), results.end(), '\n'), 2001);
  }
}

}  // namespace
