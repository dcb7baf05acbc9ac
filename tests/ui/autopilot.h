// Acting on modal windows from inside their own event loops: the way the
// tests (and the screenshot tour) answer real dialogs.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace tavrix::ui::testing {

// Runs `action` once a window of type T is the active modal window and
// visible.  Polls from whatever event loop runs (a dialog's exec, a
// yield); gives up after `timeout_ms`, calling `on_timeout` if given.
template <typename T>
void WhenShown(std::function<void(T*)> action, std::function<void()> on_timeout = {},
               int timeout_ms = 5000) {
  auto* timer = new QTimer(qApp);
  auto* waited = new int(0);
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, waited, action, on_timeout, timeout_ms] {
    T* window = qobject_cast<T*>(QApplication::activeModalWidget());
    if (window != nullptr && window->isVisible()) {
      timer->stop();
      timer->deleteLater();
      delete waited;
      action(window);
      return;
    }
    *waited += 5;
    if (*waited >= timeout_ms) {
      timer->stop();
      timer->deleteLater();
      delete waited;
      if (on_timeout) on_timeout();
    }
  });
  timer->start();
}

}  // namespace tavrix::ui::testing
