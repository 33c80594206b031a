// The file as other programs read it: unzip tests the archive, xmllint
// parses its parts and reads texts back.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "odt.h"
#include "sample.h"
#include "zip.h"

namespace quorvane::document {
namespace {

class Tools : public ::testing::Test {
 protected:
  // A file of its own for each test, as ctest runs them side by side.
  std::string write(const std::string& name, const std::string& bytes) {
    const std::string path =
        ::testing::TempDir() + "quorvane-document-" + std::to_string(getpid()) + "-" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    paths_.push_back(path);
    return path;
  }

  void TearDown() override {
    for (const std::string& path : paths_) std::remove(path.c_str());
  }

 private:
  std::vector<std::string> paths_;
};

// The command's exit status and what it wrote to its standard output.
std::pair<int, std::string> run(const std::string& command) {
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return {-1, ""};
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST_F(Tools, UnzipFindsNoErrors) {
  const std::string file = write("sample.odt", odtFile(testing::sampleDocument()));
  const auto [status, report] = run("unzip -t '" + file + "'");
  EXPECT_EQ(status, 0) << report;
  EXPECT_NE(report.find("No errors detected"), std::string::npos) << report;
  EXPECT_EQ(run("unzip -Z1 '" + file + "'").second,
            "mimetype\nMETA-INF/manifest.xml\ncontent.xml\nstyles.xml\n");
  const std::string other =
      write("other.zip", storedZip({{"a", ""}, {"b/c.txt", std::string(70000, 'x')}}));
  EXPECT_EQ(run("unzip -tq '" + other + "'").first, 0);
}

TEST_F(Tools, EveryPartIsWellFormedXml) {
  const std::pair<std::string, std::string> parts[] = {
      {"content.xml", odtContent(testing::sampleDocument())},
      {"empty-content.xml", odtContent({})},
      {"styles.xml", odtStyles()},
      {"manifest.xml", odtManifest()},
  };
  for (const auto& [name, data] : parts) {
    EXPECT_EQ(run("xmllint --noout '" + write(name, data) + "'"), std::make_pair(0, std::string()))
        << name;
  }
}

TEST_F(Tools, TextsReadBackAsTyped) {
  const struct {
    std::string typed, read;
  } cases[] = {
      {"A<&>\"'B", "A<&>\"'B"},
      {"赔偿清单（元）", "赔偿清单（元）"},
      {"x\x01\x0b\x1f\x7fy\xffz", "xy\xef\xbf\xbdz"},
  };
  Document document;
  for (const auto& c : cases) document.blocks.emplace_back(paragraph(c.typed));
  const std::string file = write("texts.xml", odtContent(document));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const std::string xpath = "string((//*[local-name()=\"p\"])[" + std::to_string(i + 1) + "])";
    EXPECT_EQ(run("xmllint --xpath '" + xpath + "' '" + file + "'"),
              std::make_pair(0, cases[i].read + "\n"))
        << cases[i].typed;
  }
}

}  // namespace
}  // namespace quorvane::document
