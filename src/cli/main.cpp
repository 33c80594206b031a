// quorvane-calc: runs a CSV file of cases through the compensation engine.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "batch.h"
#include "calc.h"
#include "output_file.h"
#include "progress.h"
#include "standards_file.h"
#include "tool.h"

namespace {

using namespace quorvane::cli;

// Today in the local time zone, as a Chinese date: 2026年12月8日.
std::string today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return std::to_string(local.tm_year + 1900) + "年" + std::to_string(local.tm_mon + 1) + "月" +
         std::to_string(local.tm_mday) + "日";
}

struct CommandLine {
  std::string input = "-";
  std::string output;  // empty for standard output
  quorvane::batch::Options batch;
  std::string standards;  // empty for the user's standards file
  bool listStandards = false;
};

// The command line, or the exit status when there is nothing more to do.
std::variant<CommandLine, int> parse(int argc, char** argv) {
  CommandLine command;
  // The tool has a second core to work the claim sheets out on. Unlisted,
  // QUORVANE_CLAIM_THREAD=0 keeps them on the reading thread: the output the
  // threaded run is checked against.
  const char* claimThread = std::getenv("QUORVANE_CLAIM_THREAD");
  command.batch.claimThread = claimThread == nullptr || std::string_view(claimThread) != "0";
  bool haveInput = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    // An option's value follows it, or follows "=" in the same argument.
    std::optional<std::string_view> attached;
    if (arg.starts_with("--") && arg.find('=') != std::string_view::npos) {
      attached = arg.substr(arg.find('=') + 1);
      arg = arg.substr(0, arg.find('='));
    }
    const auto value = [&]() -> std::optional<std::string_view> {
      if (attached) return attached;
      if (i + 1 < argc) return std::string_view(argv[++i]);
      return std::nullopt;
    };
    if (arg == "--help" || arg == "-h") {
      printUsage();
      return 0;
    }
    if (arg == "--version") {
      std::printf("quorvane-calc %s\n", QUORVANE_VERSION);
      return 0;
    }
    if (arg == "--explain") {
      command.batch.explain = true;
    } else if (arg == "--claim") {
      command.batch.claim = true;
    } else if (arg == "--excel") {
      command.batch.excel = true;
    } else if (arg == "--encoding") {
      const auto name = value();
      if (!name) return fail(arg, "needs an encoding name (see --help)");
      const auto encoding = quorvane::batch::encodingNamed(*name);
      if (!encoding) {
        return fail(arg, "\"" + std::string(*name) + "\" is not supported; accepted: " +
                             std::string(quorvane::batch::kEncodingNames));
      }
      command.batch.encoding = *encoding;
    } else if (arg == "--keep") {
      const auto column = value();
      if (!column) return fail(arg, "needs a column name (see --help)");
      command.batch.keep.emplace_back(*column);
    } else if (arg == "--standards") {
      const auto file = value();
      if (!file || file->empty()) return fail(arg, "needs a file name (see --help)");
      command.standards = *file;
    } else if (arg == "--list-standards") {
      command.listStandards = true;
    } else if (arg == "-o" || arg == "--output") {
      const auto file = value();
      if (!file || file->empty()) return fail(arg, "needs a file name (see --help)");
      command.output = *file;
    } else if (arg.size() > 1 && arg.front() == '-') {
      return fail(arg, "unknown option (see --help)");
    } else if (haveInput) {
      return fail("usage", "at most one FILE (see --help)");
    } else {
      command.input = arg;
      haveInput = true;
    }
  }
  if (command.batch.explain && command.batch.excel) {
    return fail("--excel", "applies to CSV results, not to --explain");
  }
  if (command.batch.explain) command.batch.printedDate = today();
  return command;
}

// The standards file named, or the user's when there is one; the exit status
// when it is refused.
std::optional<int> loadStandards(CommandLine& command) {
  const bool named = !command.standards.empty();
  const std::string path = named ? command.standards : quorvane::standards::userStandardsPath();
  if (path.empty()) return std::nullopt;
  auto loaded = quorvane::standards::loadStandardsFile(path, named);
  if (const auto* error = std::get_if<quorvane::standards::FileError>(&loaded)) {
    return fail(quorvane::standards::place(path, *error),
                "standards file refused: " + error->reason);
  }
  if (auto& table = std::get<std::optional<quorvane::StandardsTable>>(loaded)) {
    command.batch.standards = std::move(*table);
  }
  return std::nullopt;
}

int writeOut(std::string_view text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    return fail("<stdout>", std::strerror(errno));
  }
  return 0;
}

}  // namespace

static int run(int argc, char** argv) {
  auto parsed = parse(argc, argv);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  auto& command = std::get<CommandLine>(parsed);
  if (const auto refused = loadStandards(command)) return *refused;
  if (command.listStandards) {
    return writeOut(quorvane::standards::standardsCsv(command.batch.standards));
  }

  const bool fromStdin = command.input == "-";
  const std::string name = fromStdin ? "<stdin>" : command.input;
  std::FILE* file = fromStdin ? stdin : std::fopen(name.c_str(), "rb");
  if (file == nullptr) return fail(name, std::strerror(errno));
  struct Closer {
    std::FILE* file;
    ~Closer() {
      if (file != stdin) std::fclose(file);
    }
  } closer{file};
  struct stat info {};
  const std::size_t inputSize = ::fstat(::fileno(file), &info) == 0 && S_ISREG(info.st_mode)
                                    ? static_cast<std::size_t>(info.st_size)
                                    : 0;

  std::optional<OutputFile> output;
  if (!command.output.empty()) {
    output.emplace(command.output);
    if (auto error = output->open()) return fail(command.output, *error);
  }

  quorvane::batch::Reader reader(command.batch);
  // Results for standard output wait for the whole input; an output file
  // takes them as they come.
  if (!output && !command.batch.explain) reader.reserveFor(inputSize);
  Progress progress(inputSize);
  static char buffer[1 << 16];
  std::size_t bytesRead = 0;
  std::size_t count;
  while (!reader.failed() && (count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytesRead += count;
    reader.feed({buffer, count});
    if (output && reader.output().size() >= (1u << 20)) {
      if (!output->write(reader.output())) {
        progress.clear();
        return fail(command.output, std::strerror(errno));
      }
      reader.output().clear();
    }
    progress.update(reader.cases(), bytesRead);
  }
  progress.clear();
  if (std::ferror(file) != 0) return fail(name, std::strerror(errno));

  if (const auto error = reader.finish()) {
    return fail(name + ":" + std::to_string(error->line), error->reason);
  }
  const auto& results = reader.output();
  if (output) {
    if (!output->write(results)) return fail(command.output, std::strerror(errno));
    if (auto error = output->commit()) return fail(command.output, *error);
    return 0;
  }
  return writeOut(results);
}

int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::exception& error) {  // out of memory on a huge input, say
    return fail("error", error.what());
  }
}
