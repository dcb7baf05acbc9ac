// Runs engine code from inside a Qt event handler without letting an
// exception unwind through Qt's event loop: the exception is kept and raised
// again by whoever started the loop, once it has returned.
#pragma once

#include <exception>

namespace tavrix::ui {

class GuardedCall {
 public:
  // Runs `step`; returns false when it raised (the exception is kept).
  template <typename Step>
  bool Run(Step&& step) {
    try {
      step();
      return true;
    } catch (...) {
      if (!pending_) pending_ = std::current_exception();
      return false;
    }
  }
  bool failed() const { return static_cast<bool>(pending_); }
  // Raises the kept exception, if any, and forgets it.
  void Rethrow() {
    if (!pending_) return;
    std::exception_ptr p = pending_;
    pending_ = nullptr;
    std::rethrow_exception(p);
  }

 private:
  std::exception_ptr pending_;
};

}  // namespace tavrix::ui
