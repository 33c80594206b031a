// quorvane-calc: runs a CSV file of cases through the compensation engine.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <exception>
#include <string>
#include <string_view>
#include <variant>

#include "batch.h"
#include "calc.h"
#include "standards_file.h"

namespace {

constexpr std::string_view kProgram = "quorvane-calc";

void printUsage() {
  std::string usage =
      "Usage: quorvane-calc [--explain] [--standards FILE] [FILE]\n"
      "       quorvane-calc [--standards FILE] --list-standards\n"
      "       quorvane-calc --help | --version\n"
      "\n"
      "Reads cases as CSV from FILE (or standard input when FILE is absent or -)\n"
      "and writes one CSV row of results per case to standard output.\n"
      "\n"
      "The first row names the input fields, any of them in any order; a field\n"
      "the header does not name is empty in every case. Input fields:\n";
  for (const auto& field : quorvane::inputFields) {
    usage += "  ";
    usage += field.name;
    usage += '\n';
  }
  usage +=
      "\n"
      "Output columns: 提示 (the stop message or the notice), then the 22 results.\n"
      "With --explain, a readable report per case instead: the inputs, the\n"
      "accident year's standards and every amount with its working.\n"
      "\n"
      "Standards: the built-in table covers the accident years 2011 and 2012; any\n"
      "other year gives the notice 请升级 with its table items at 0. A standards\n"
      "file adds years. It is read from $XDG_CONFIG_HOME/quorvane/standards.csv\n"
      "(~/.config/quorvane/standards.csv when XDG_CONFIG_HOME is unset), the same\n"
      "file the window reads, or from FILE with --standards FILE. It is a UTF-8\n"
      "CSV whose first row names the columns 年度, 城镇居民人均可支配收入,\n"
      "城镇居民人均消费性支出, 住院伙食补助标准, 住宿补助标准 and optionally 来源\n"
      "(where the figures come from), in any order; then one row per year: four\n"
      "digits, two whole yuan amounts (0 to 2147483647) and two daily rates (0 to\n"
      "32767). The built-in years cannot be replaced, and a year stands once.\n"
      "  --standards FILE   read FILE instead of the user's standards file\n"
      "  --list-standards   print the standards in force (built-in rows, then the\n"
      "                     file's) as CSV in the file's format, and exit\n"
      "\n"
      "Exit status: 0 when every case was read; 2 when the input or the standards\n"
      "file cannot be read (the error names the file and line, and nothing is\n"
      "written).\n";
  std::fputs(usage.c_str(), stdout);
}

bool readAll(std::FILE* file, std::string& text) {
  char buffer[1 << 16];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, count);
  return std::ferror(file) == 0;
}

int fail(std::string_view where, std::string_view reason) {
  std::fprintf(stderr, "%.*s: %.*s: %.*s\n", static_cast<int>(kProgram.size()), kProgram.data(),
               static_cast<int>(where.size()), where.data(), static_cast<int>(reason.size()),
               reason.data());
  return 2;
}

int write(std::string_view output) {
  if (std::fwrite(output.data(), 1, output.size(), stdout) != output.size() ||
      std::fflush(stdout) != 0) {
    return fail("<stdout>", std::strerror(errno));
  }
  return 0;
}

// Today in the local time zone, as a Chinese date: 2026年12月8日.
std::string today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return std::to_string(local.tm_year + 1900) + "年" + std::to_string(local.tm_mon + 1) + "月" +
         std::to_string(local.tm_mday) + "日";
}

}  // namespace

static int run(int argc, char** argv) {
  std::string_view path = "-";
  bool havePath = false;
  quorvane::batch::Options options;
  std::string standardsPath;
  bool standardsRequired = false;
  bool listStandards = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      printUsage();
      return 0;
    }
    if (arg == "--version") {
      std::printf("quorvane-calc %s\n", QUORVANE_VERSION);
      return 0;
    }
    if (arg == "--explain") {
      options.explain = true;
      continue;
    }
    if (arg == "--standards") {
      if (i + 1 == argc) return fail(arg, "needs a FILE (see --help)");
      standardsPath = argv[++i];
      standardsRequired = true;
      continue;
    }
    if (arg == "--list-standards") {
      listStandards = true;
      continue;
    }
    if (arg.size() > 1 && arg.front() == '-') return fail(arg, "unknown option (see --help)");
    if (havePath) return fail("usage", "at most one FILE (see --help)");
    path = arg;
    havePath = true;
  }
  if (options.explain) options.printedDate = today();

  if (!standardsRequired) standardsPath = quorvane::standards::userStandardsPath();
  if (!standardsPath.empty()) {
    auto loaded = quorvane::standards::loadStandardsFile(standardsPath, standardsRequired);
    if (const auto* error = std::get_if<quorvane::standards::FileError>(&loaded)) {
      return fail(quorvane::standards::place(standardsPath, *error),
                  "standards file refused: " + error->reason);
    }
    if (auto& table = std::get<std::optional<quorvane::StandardsTable>>(loaded)) {
      options.standards = std::move(*table);
    }
  }
  if (listStandards) return write(quorvane::standards::standardsCsv(options.standards));

  const bool fromStdin = path == "-";
  const std::string name = fromStdin ? "<stdin>" : std::string(path);
  std::string text;
  std::FILE* file = fromStdin ? stdin : std::fopen(name.c_str(), "rb");
  if (file == nullptr) return fail(name, std::strerror(errno));
  const bool read = readAll(file, text);
  const int readErrno = errno;
  if (!fromStdin) std::fclose(file);
  if (!read) return fail(name, std::strerror(readErrno));

  const auto result = quorvane::batch::run(text, options);
  if (const auto* error = std::get_if<quorvane::batch::InputError>(&result)) {
    return fail(name + ":" + std::to_string(error->line), error->reason);
  }
  return write(std::get<std::string>(result));
}

int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::exception& error) {  // out of memory on a huge input, say
    return fail("error", error.what());
  }
}
