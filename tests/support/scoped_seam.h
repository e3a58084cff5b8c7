#pragma once
// Puts a stand-in into one of the framework's system seams for one scope, then the original back.
template <class Function>
class ScopedSeam {
  public:
    ScopedSeam(Function& slot, Function standIn) : slot_(slot), original_(slot) { slot_ = standIn; }
    ~ScopedSeam() { slot_ = original_; }
    ScopedSeam(const ScopedSeam&) = delete;
    ScopedSeam& operator=(const ScopedSeam&) = delete;

  private:
    Function& slot_;
    Function original_;
};
