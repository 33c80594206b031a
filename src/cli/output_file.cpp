#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "tool.h"

namespace quorvane::cli {

volatile std::sig_atomic_t progressShown = 0;

namespace {

// The temporary file that -o writes, removed by an interrupt.
char tempPath[4096];
volatile std::sig_atomic_t tempExists = 0;

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

}  // namespace

std::optional<std::string> OutputFile::open() {
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

bool OutputFile::write(std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), file_) == text.size();
}

std::optional<std::string> OutputFile::commit() {
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

void OutputFile::discard() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  SignalsHeld held;
  if (tempExists) ::unlink(tempPath);
  tempExists = 0;
}

}  // namespace quorvane::cli
