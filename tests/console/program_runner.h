// Runs the built program as a subprocess through pipes, the way a script
// drives it: read its output up to a prompt, answer, read on.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tavrix::testing {

class ProgramRunner {
 public:
  // Starts `binary` with `args` in `cwd`.  The environment is this process's
  // with each "NAME=value" of `set` applied and each name of `unset` removed.
  // Standard error goes to a file, read by errors().
  ProgramRunner(const std::string& binary, const std::vector<std::string>& args,
                const std::string& cwd, const std::vector<std::string>& set,
                const std::vector<std::string>& unset = {});
  ~ProgramRunner();
  ProgramRunner(const ProgramRunner&) = delete;
  ProgramRunner& operator=(const ProgramRunner&) = delete;

  // Reads standard output until `text` appears after what earlier calls
  // consumed.  Returns the output read up to and including `text`; throws
  // std::runtime_error (with the output so far) when the program ends
  // first or nothing comes for 20 seconds.
  std::string ReadUntil(const std::string& text);
  // Writes `line` and a line end to standard input.
  void Send(const std::string& line);
  // Closes standard input: the program meets end of input.
  void CloseInput();
  // Closes standard input, reads the rest of the output and waits for the
  // end.  Returns the exit status (128 + signal when killed).
  int Wait();

  // Everything the program wrote on standard output so far.
  const std::string& output() const { return output_; }
  // What it wrote on standard error (complete after Wait).
  std::string errors() const;

 private:
  // Reads what is available within `timeout_ms`; false at end of output.
  bool ReadSome(int timeout_ms);

  pid_t pid_ = -1;
  int in_fd_ = -1;
  int out_fd_ = -1;
  std::string err_path_;
  std::string output_;
  size_t consumed_ = 0;
  bool exited_ = false;
  int status_ = -1;
};

}  // namespace tavrix::testing
