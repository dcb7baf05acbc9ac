#include "program_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace tavrix::testing {

namespace {

constexpr int kQuietLimitMs = 20000;

std::vector<std::string> Environment(const std::vector<std::string>& set,
                                     const std::vector<std::string>& unset) {
  std::vector<std::string> env;
  auto name_of = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
  for (char** e = environ; *e != nullptr; ++e) {
    std::string entry = *e;
    bool drop = false;
    for (const auto& u : unset) drop = drop || name_of(entry) == u;
    for (const auto& s : set) drop = drop || name_of(entry) == name_of(s);
    if (!drop) env.push_back(entry);
  }
  for (const auto& s : set) env.push_back(s);
  return env;
}

}  // namespace

ProgramRunner::ProgramRunner(const std::string& binary, const std::vector<std::string>& args,
                             const std::string& cwd, const std::vector<std::string>& set,
                             const std::vector<std::string>& unset) {
  int in_pipe[2];
  int out_pipe[2];
  if (::pipe2(in_pipe, O_CLOEXEC) != 0 || ::pipe2(out_pipe, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  std::string tmpl = "/tmp/tavrix-stderr-XXXXXX";
  int err_fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
  if (err_fd < 0) throw std::runtime_error("mkstemp failed");
  err_path_ = tmpl;
  std::vector<std::string> env = Environment(set, unset);
  std::vector<char*> argv{const_cast<char*>(binary.c_str())};
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    if (::chdir(cwd.c_str()) != 0 || ::dup2(in_pipe[0], 0) < 0 || ::dup2(out_pipe[1], 1) < 0 ||
        ::dup2(err_fd, 2) < 0) {
      ::_exit(127);
    }
    ::execve(binary.c_str(), argv.data(), envp.data());
    ::_exit(127);
  }
  ::close(err_fd);
  ::close(in_pipe[0]);
  ::close(out_pipe[1]);
  in_fd_ = in_pipe[1];
  out_fd_ = out_pipe[0];
  // An answer written after the program ended must not kill the test.
  ::signal(SIGPIPE, SIG_IGN);
}

ProgramRunner::~ProgramRunner() {
  if (in_fd_ >= 0) ::close(in_fd_);
  if (out_fd_ >= 0) ::close(out_fd_);
  if (!exited_ && pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  ::unlink(err_path_.c_str());
}

bool ProgramRunner::ReadSome(int timeout_ms) {
  if (out_fd_ < 0) return false;
  pollfd p{out_fd_, POLLIN, 0};
  int ready = ::poll(&p, 1, timeout_ms);
  if (ready < 0 && errno == EINTR) return true;
  if (ready <= 0) throw std::runtime_error("no output for a long time; output so far:\n" + output_);
  char buf[4096];
  ssize_t got = ::read(out_fd_, buf, sizeof buf);
  if (got < 0 && errno == EINTR) return true;
  if (got <= 0) {
    ::close(out_fd_);
    out_fd_ = -1;
    return false;
  }
  output_.append(buf, static_cast<size_t>(got));
  return true;
}

std::string ProgramRunner::ReadUntil(const std::string& text) {
  for (;;) {
    size_t at = output_.find(text, consumed_);
    if (at != std::string::npos) {
      std::string part = output_.substr(consumed_, at + text.size() - consumed_);
      consumed_ = at + text.size();
      return part;
    }
    if (!ReadSome(kQuietLimitMs)) {
      throw std::runtime_error("the program ended before \"" + text + "\"; output:\n" + output_ +
                               "\nerrors:\n" + errors());
    }
  }
}

void ProgramRunner::Send(const std::string& line) {
  std::string data = line + "\n";
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(in_fd_, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0)
      throw std::runtime_error("cannot write to the program: " + std::string(std::strerror(errno)));
    done += static_cast<size_t>(n);
  }
}

void ProgramRunner::CloseInput() {
  if (in_fd_ >= 0) ::close(in_fd_);
  in_fd_ = -1;
}

int ProgramRunner::Wait() {
  CloseInput();
  while (ReadSome(kQuietLimitMs)) {
  }
  int status = 0;
  while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  exited_ = true;
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return status_;
}

std::string ProgramRunner::errors() const {
  std::ifstream in(err_path_);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace tavrix::testing
