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
#include "standards_file.h"

namespace {

constexpr std::string_view kProgram = "quorvane-calc";

void printUsage() {
  std::string usage =
      "Usage: quorvane-calc [OPTION]... [FILE]\n"
      "       quorvane-calc [--standards FILE] --list-standards\n"
      "       quorvane-calc --help | --version\n"
      "\n"
      "Reads cases as CSV from FILE (or standard input when FILE is absent or -)\n"
      "and writes one CSV row of results per case to standard output.\n"
      "\n"
      "Options:\n"
      "  --encoding NAME   the input's encoding: utf-8 (the default), or gb18030\n"
      "                    (also gbk, gb2312), as Excel saves \"CSV\" on Chinese Windows;\n"
      "                    names are not case-sensitive\n"
      "  --keep COLUMN     copy COLUMN (a case number, a name) as read into the\n"
      "                    output ahead of 提示; repeat it for more columns, which\n"
      "                    come out in the order given\n"
      "  --excel           write the output as Excel opens it: a UTF-8 byte-order\n"
      "                    mark and CRLF line ends\n"
      "  -o, --output FILE write the results to FILE, replacing it only when the\n"
      "                    whole input has been read; on any error or interrupt\n"
      "                    FILE is left as it was\n"
      "  --explain         a readable report per case instead of CSV\n"
      "  --claim           add the claim sheet (赔偿清单) after the 22 results, even\n"
      "                    when the header names none of its inputs\n"
      "\n"
      "The first row names the input fields, any of them in any order; a field\n"
      "the header does not name is empty in every case. Any other column must be\n"
      "named by --keep: an unknown name is refused, as it is most often a field\n"
      "name misspelt. Input fields:\n";
  for (const auto& field : quorvane::inputFields) {
    usage += "  ";
    usage += field.name;
    usage += '\n';
  }
  usage +=
      "\n"
      "Claim sheet inputs (any of them in the header turns the claim sheet on):\n";
  for (const auto& field : quorvane::claim::claimFields) {
    usage += "  ";
    usage += field.name;
    usage += '\n';
  }
  usage +=
      "\n"
      "Output columns: the kept columns, 提示 (the stop message or the notice),\n"
      "then the 22 results; with the claim sheet, 清单提示 (why the sheet was\n"
      "refused, or nothing), its items and 清单合计 to the fen, then who pays:\n"
      "交强险医疗费用, 交强险死亡伤残, 交强险合计, 剩余损失, 责任方承担,\n"
      "商业三者险, 侵权人, 受害人自担; then 清单后续护理费, 清单后续治疗费,\n"
      "清单财产损失, 清单鉴定费, 交强险财产损失, and for vehicles 1 to 3 in turn\n"
      "车辆N交强险赔付, 车辆N责任方承担, 车辆N商业三者险, 车辆N侵权人 (0.00 for a\n"
      "vehicle not taking part). A refused sheet leaves its amounts empty\n"
      "and changes neither the 22 results nor the exit status.\n"
      "With --explain, a readable report per case instead: the kept columns,\n"
      "the inputs, the accident year's standards and every amount with its\n"
      "working; with the claim sheet, its section 【赔偿清单】 too.\n"
      "\n"
      "When standard error is a terminal and the run lasts more than a second,\n"
      "one line there shows the cases done, the share of the input read and the\n"
      "cases per second.\n"
      "\n"
      "Standards: the built-in table covers the accident years 2011 and 2012; any\n"
      "other year gives the notice 请升级 with its table items at 0. A standards\n"
      "file adds years. It is read from $XDG_CONFIG_HOME/quorvane/standards.csv\n"
      "(~/.config/quorvane/standards.csv when XDG_CONFIG_HOME is unset), the same\n"
      "file the window reads, or from FILE with --standards FILE. It is a UTF-8\n"
      "CSV whose first row names the columns 年度, 城镇居民人均可支配收入,\n"
      "城镇居民人均消费性支出, 住院伙食补助标准, 住宿补助标准 and optionally\n"
      "职工平均工资 (the average yearly wage of workers) and 来源 (where the\n"
      "figures come from), in any order; then one row per year: four digits, two\n"
      "whole yuan amounts (0 to 2147483647), two daily rates (0 to 32767) and the\n"
      "wage in whole yuan (0 to 2147483647, or empty for none). The built-in\n"
      "years cannot be replaced, and a year stands once.\n"
      "  --standards FILE   read FILE instead of the user's standards file\n"
      "  --list-standards   print the standards in force (built-in rows, then the\n"
      "                     file's) as CSV in the file's format, and exit\n"
      "\n"
      "Exit status: 0 when every case was read; 2 when the input or the standards\n"
      "file cannot be read (the error names the file and line, and nothing is\n"
      "written).\n"
      "\n"
      "Example: an Excel sheet with a 案号 column beside the inputs, saved as\n"
      "\"CSV (逗号分隔)\" on a Chinese system:\n"
      "  quorvane-calc --encoding gb18030 --keep 案号 --excel -o results.csv cases.csv\n"
      "results.csv then opens in Excel with 案号 as its first column.\n";
  std::fputs(usage.c_str(), stdout);
}

int fail(std::string_view where, std::string_view reason) {
  std::fprintf(stderr, "%.*s: %.*s: %.*s\n", static_cast<int>(kProgram.size()), kProgram.data(),
               static_cast<int>(where.size()), where.data(), static_cast<int>(reason.size()),
               reason.data());
  return 2;
}

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

// The temporary file that -o writes, removed by an interrupt.
char tempPath[4096];
volatile std::sig_atomic_t tempExists = 0;
volatile std::sig_atomic_t progressShown = 0;
constexpr char kClearLine[] = "\r\33[K";

extern "C" void onInterrupt(int signal) {
  if (tempExists) ::unlink(tempPath);
  if (progressShown) (void)!::write(STDERR_FILENO, kClearLine, sizeof kClearLine - 1);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// Holds the signals that would remove the temporary file while it is being
// created or renamed.
class SignalsHeld {
 public:
  SignalsHeld() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, s);
    sigprocmask(SIG_BLOCK, &set, &saved_);
  }
  ~SignalsHeld() { sigprocmask(SIG_SETMASK, &saved_, nullptr); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t saved_;
};

// The results on their way to FILE: a temporary file beside it, renamed over
// it once everything has succeeded and removed otherwise.
class OutputFile {
 public:
  explicit OutputFile(std::string path) : path_(std::move(path)) {}
  ~OutputFile() { discard(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // The error text, or nothing.
  std::optional<std::string> open() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaction(s, &action, nullptr);
    // A file size limit makes writes fail instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);

    const auto slash = path_.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path_.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path_ : path_.substr(slash + 1);
    const std::string temp = folder + "." + base + ".XXXXXX";
    if (temp.size() >= sizeof tempPath) return std::string(std::strerror(ENAMETOOLONG));

    // The results get FILE's permissions, or a new file's.
    struct stat old {};
    mode_t mode;
    if (::stat(path_.c_str(), &old) == 0) {
      mode = old.st_mode & 07777;
    } else {
      const mode_t mask = ::umask(0);
      ::umask(mask);
      mode = 0666 & ~mask;
    }
    int fd;
    {
      SignalsHeld held;
      std::memcpy(tempPath, temp.c_str(), temp.size() + 1);
      fd = ::mkstemp(tempPath);
      if (fd >= 0) tempExists = 1;
    }
    if (fd < 0) return std::string(std::strerror(errno));
    if (::fchmod(fd, mode) != 0) return std::string(std::strerror(errno));
    file_ = ::fdopen(fd, "wb");
    if (file_ == nullptr) {
      ::close(fd);
      return std::string(std::strerror(errno));
    }
    return std::nullopt;
  }

  bool write(std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), file_) == text.size();
  }

  std::optional<std::string> commit() {
    if (std::fflush(file_) != 0 || ::fsync(::fileno(file_)) != 0) {
      return std::string(std::strerror(errno));
    }
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (closed != 0) return std::string(std::strerror(errno));
    SignalsHeld held;
    if (::rename(tempPath, path_.c_str()) != 0) return std::string(std::strerror(errno));
    tempExists = 0;
    return std::nullopt;
  }

  void discard() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    SignalsHeld held;
    if (tempExists) ::unlink(tempPath);
    tempExists = 0;
  }

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};

// Under node every standard stream looks like a terminal to the C library, so
// node itself is asked; a pipe or a file then gets no progress line.
bool stderrIsTerminal() {
#ifdef __EMSCRIPTEN__
  return EM_ASM_INT({ return process.stderr.isTTY ? 1 : 0; }) == 1;
#else
  return ::isatty(STDERR_FILENO) == 1;
#endif
}

// One updating line on a terminal: cases done, share read, cases per second.
// It waits a second before showing and then changes four times a second.
class Progress {
 public:
  explicit Progress(std::size_t inputSize)
      : enabled_(stderrIsTerminal()),
        inputSize_(inputSize),
        start_(now()),
        next_(start_ + 1.0) {}

  void update(std::size_t cases, std::size_t bytesRead) {
    if (!enabled_) return;
    const double t = now();
    if (t < next_) return;
    next_ = t + 0.25;
    char text[160];
    const double rate = static_cast<double>(cases) / (t - start_);
    if (inputSize_ > 0) {
      std::snprintf(text, sizeof text, "\r%s: %zu cases, %.0f%% read, %.0f cases/s\33[K",
                    kProgram.data(), cases,
                    100.0 * static_cast<double>(bytesRead) / static_cast<double>(inputSize_), rate);
    } else {
      std::snprintf(text, sizeof text, "\r%s: %zu cases, %.1f MB read, %.0f cases/s\33[K",
                    kProgram.data(), cases, static_cast<double>(bytesRead) / 1e6, rate);
    }
    std::fputs(text, stderr);
    std::fflush(stderr);
    shown_ = true;
    progressShown = 1;
  }

  void clear() {
    if (!shown_) return;
    std::fputs(kClearLine, stderr);
    std::fflush(stderr);
    shown_ = false;
    progressShown = 0;
  }

 private:
  static double now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
  }

  bool enabled_ = false;
  bool shown_ = false;
  std::size_t inputSize_;
  double start_;
  double next_;
};

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
