#pragma once

#include <signal.h>

#include <string>

namespace ordelix {

struct RemovalNode;

// A name this process gives an unfinished file of its own. While the name
// holds that file, a SIGINT, SIGTERM, SIGHUP or SIGQUIT removes it before the
// process ends as the signal would have ended it. The steps that put the file
// at the name and take it away run with those signals waiting for their end,
// so that a signal removes exactly what this process made: never a file that
// stood there before, nor one renamed into place; and once a signal's removal
// has begun, no step starts. Any thread may hold any number. The handlers go
// in with the first, and not for a signal the process ignores.
class RemovalOnSignal {
 public:
  explicit RemovalOnSignal(const std::string& path);
  ~RemovalOnSignal();
  RemovalOnSignal(const RemovalOnSignal&) = delete;
  RemovalOnSignal& operator=(const RemovalOnSignal&) = delete;

  // Runs `put_file`, which makes the file at the name and returns 0, or
  // returns the errno of its failure. Guarded from then on when it did.
  template <typename Step>
  int make(Step put_file) {
    step_begin();
    int err = put_file();
    step_end(err == 0 || armed_);
    return err;
  }

  // Runs `take_file`, which takes the file from the name (a rename, an
  // unlink) and returns 0, or returns its errno. Unguarded once it did.
  template <typename Step>
  int take(Step take_file) {
    step_begin();
    int err = take_file();
    step_end(err != 0 && armed_);
    return err;
  }

 private:
  void step_begin();
  void step_end(bool guarded);

  RemovalNode* node_;  // kept for the process's life, then reused
  bool armed_ = false;
  sigset_t mask_before_step_{};
};

}  // namespace ordelix
