// The built quorvane-calc, run as a user runs it: files, standard input, exit
// status and the two output streams.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

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
  for (const char* name : {"受害人生日年", "兄弟姐妹人数", "残疾辅助器具", "最近三年日平均收入"}) {
    EXPECT_NE(r.out.find(std::string("  ") + name + "\n"), std::string::npos) << name;
  }
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
  EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 9) << listed.out;
}

const std::string kStandardsHeader =
    "年度,城镇居民人均可支配收入,城镇居民人均消费性支出,住院伙食补助标准,住宿补助标准,来源\n";

TEST_F(Tool, GoesByTheUsersStandardsFileOrTheOneNamed) {
  const auto cases = write("cases.csv", kHeader + "1988,8,8,2024,11,11,一\n");
  const std::string userRow = "2024,88650,50897,50,50,公报\n";
  const std::string namedRow = "2024,1000,1000,50,50,\n";
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
  EXPECT_EQ(r.out, kStandardsHeader + "2011,29073,19934,50,50,内置\n2012,32903,21984,50,50,内置\n" +
                       userRow);
  r = run("--standards '" + named.string() + "' --list-standards");
  EXPECT_TRUE(r.out.ends_with("\n" + namedRow)) << r.out;
}

TEST_F(Tool, ARefusedStandardsFileIsRefusedLikeBadInput) {
  const auto cases = write("cases.csv", kHeader + "1988,8,8,2011,11,11,一\n");
  const auto bad = write("bad.csv", kStandardsHeader + "2013,36469,24046,50,50,\n2011,1,1,1,1,\n");
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

}  // namespace
