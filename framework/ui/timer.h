#pragma once
// A timer (not a control, but registered among a window's controls).
#include <cstdint>
#include <memory>

#include "framework/core/object.h"
#include "framework/ui/events.h"

class QTimer;

class Timer : public Object {
    TW_CLASS_INFO
  public:
    static constexpr int32_t ModeOff = 0, ModeSingle = 1, ModeMultiple = 2;
    Timer();
    ~Timer() override;

    // 0 off; 1 fires Action once, Period ms after it was set; 2 repeats. Setting 1 or 2 again
    // restarts the period.
    int32_t Mode() const { return mode_; }
    void SetMode(int32_t mode);
    int32_t Period() const { return period_; }
    void SetPeriod(int32_t ms);
    // Restarts the period of an armed timer.
    void Reset();

    Event<void> Action;

  private:
    void Fire();
    int32_t mode_ = ModeOff;
    int32_t period_ = 1000;
    std::unique_ptr<QTimer> timer_;
};
