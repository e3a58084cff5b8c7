#pragma once
// Events and their bindings. A Delegate is a window method bound to an event: it holds the window
// weakly (a binding never keeps its window alive) and carries the method's signature text. The
// control that raises the event is passed as the method's first argument, cast to the class the
// method declares.
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/object.h"

template <class R, class... Args>
class Delegate {
  public:
    template <class W, class Sender>
    Delegate(const std::shared_ptr<W>& target, R (W::*method)(std::shared_ptr<Sender>, Args...),
             String signature)
        : target_(target),
          signature_(std::move(signature)),
          call_([method](Object& t, const std::shared_ptr<Object>& sender, Args... args) -> R {
              auto typed = std::dynamic_pointer_cast<Sender>(sender);
              if (sender && !typed)
                  throw TypeMismatchException("the event's control is not of the method's class");
              return (static_cast<W&>(t).*method)(std::move(typed), args...);
          }) {}

    // NilObjectException when the window has gone.
    R Invoke(const std::shared_ptr<Object>& sender, Args... args) const {
        std::shared_ptr<Object> target = target_.lock();  // kept alive for the call
        return call_(Deref(target, "the window of an event binding"), sender, args...);
    }
    const String& Signature() const { return signature_; }
    bool TargetAlive() const { return !target_.expired(); }

  private:
    std::weak_ptr<Object> target_;
    String signature_;
    std::function<R(Object&, const std::shared_ptr<Object>&, Args...)> call_;
};

// One named event of a control. Handlers run in the order they were added; an event with a result
// returns the last handler's (R{} when none is bound).
template <class R, class... Args>
class Event {
  public:
    void AddHandler(Delegate<R, Args...> d) { handlers_.push_back(std::move(d)); }
    template <class W, class Sender>
    void AddHandler(const std::shared_ptr<W>& target,
                    R (W::*method)(std::shared_ptr<Sender>, Args...), String signature) {
        handlers_.emplace_back(target, method, std::move(signature));
    }
    bool Bound() const { return !handlers_.empty(); }
    const std::vector<Delegate<R, Args...>>& Handlers() const { return handlers_; }

    // Called by the framework (inside the runtime's exception boundary).
    R Raise(const std::shared_ptr<Object>& sender, Args... args) const {
        if constexpr (std::is_void_v<R>) {
            for (const auto& h : handlers_) h.Invoke(sender, args...);
        } else {
            R result{};
            for (const auto& h : handlers_) result = h.Invoke(sender, args...);
            return result;
        }
    }

  private:
    std::vector<Delegate<R, Args...>> handlers_;
};
