#pragma once
// While the program waits for a plug-in, what the user clicks or types is dropped at this filter on
// the application, so that it is never delivered once the wait is over: a box clicked while a
// plug-in's own dialog was up must not change when that dialog closes.
#include <QElapsedTimer>
#include <QObject>
#include <functional>

class QEvent;

namespace kv::qt {

class InputGate : public QObject {
  public:
    // on_press, when given, hears of each mouse button or key pressed once the gate has stood for
    // grace_ms; the press is dropped all the same.
    InputGate(std::function<void()> on_press, int grace_ms);
    ~InputGate() override;
    InputGate(const InputGate&) = delete;
    InputGate& operator=(const InputGate&) = delete;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void()> on_press_;
    int grace_ms_;
    QElapsedTimer standing_;
};

}  // namespace kv::qt
