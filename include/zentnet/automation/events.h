#pragma once
// The one event source every class uses: a connection point with Advise/Unadvise.
//
// Raising is synchronous and in subscription order over a snapshot of the sinks taken
// when the raise begins. A sink unadvised while the raise runs (by itself or by another
// sink) is not called afterwards; a sink advised during the raise first hears the next
// one. The sink list is copy-on-write: a raise walks the list it found, and a list that an
// Advise or Unadvise replaces while a raise is under way on the thread is retired, not
// freed, until the thread's outermost raise returns. So a raise costs no allocation and
// touches no reference count. An exception from a sink stops the raise and reaches the
// caller of the member that raised it.
//
// Raises may nest (a sink writes a value whose owner raises again), but not without end: a
// listener or a client can close a loop (one value object put in two fields of the object
// that listens to both, a register shared between decoders, a hub told to forward to
// itself), and a loop that nobody breaks would overflow the stack and take the process
// down. So each thread counts the raises it has under way, and a raise that would go
// beyond kMaxRaiseNesting raises the runtime's "Out of stack space" (28) instead of calling
// its sinks. The error unwinds every level to the client's call; each object finishes as
// it does after any listener's error, so all of them stay usable. Per thread, not per
// object, because a loop may run through several objects; the same count tells when the
// retired lists may go, so a raise keeps no count of its own in the source, and the poll
// path takes no lock.

#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "zentnet/automation/error.h"

namespace zentnet {

using Cookie = int32_t;

// Far beyond any nesting the library's own members produce (a handful of levels) and well
// within the stack of a thread that script hosts start: a level of the stimulus state's loop
// takes about 300 bytes of stack natively, a few kilobytes through the Windows skin, and a
// script's own sinks in the loop add theirs.
inline constexpr int kMaxRaiseNesting = 64;

namespace detail {
// One thread-local object: where thread-local storage is emulated, one look-up.
struct RaiseState {
  int depth = 0;
  std::vector<std::shared_ptr<const void>>* retired = nullptr;
};

// The raises under way on this thread, and the sink lists replaced meanwhile.
class RaiseNesting {
 public:
  RaiseNesting() {
    if (thread_.depth >= kMaxRaiseNesting) err::RaiseOutOfStackSpace();
    ++thread_.depth;
  }
  ~RaiseNesting() {
    if (--thread_.depth == 0 && thread_.retired != nullptr) FreeRetired();
  }
  RaiseNesting(const RaiseNesting&) = delete;
  RaiseNesting& operator=(const RaiseNesting&) = delete;

  // Keeps `list` (a copy: nothing changes when this runs out of memory) when a raise that
  // may be walking it is under way.
  template <class List>
  static void Retire(const std::shared_ptr<List>& list) {
    if (thread_.depth == 0) return;
    if (thread_.retired == nullptr) thread_.retired = new std::vector<std::shared_ptr<const void>>;
    thread_.retired->push_back(list);
  }

 private:
  // Taken out first: a sink's destructor may itself advise, unadvise or raise.
  static void FreeRetired() { delete std::exchange(thread_.retired, nullptr); }

  static inline thread_local RaiseState thread_;
};
}  // namespace detail

template <class Sink>
class EventSource {
 public:
  // A null sink raises error 91; cookies start at 1 and are never reused.
  Cookie Advise(std::shared_ptr<Sink> sink) {
    if (!sink) err::RaiseObjectRequired();
    auto next = std::make_shared<List>(sinks_ ? *sinks_ : List{});
    next->push_back({++lastCookie_, std::move(sink)});
    Replace(std::move(next));
    return lastCookie_;
  }

  // Returns false for a cookie that is not advised.
  bool Unadvise(Cookie cookie) {
    if (!sinks_ || !Contains(*sinks_, cookie)) return false;
    auto next = std::make_shared<List>();
    next->reserve(sinks_->size() - 1);
    for (const auto& e : *sinks_)
      if (e.cookie != cookie) next->push_back(e);
    Replace(next->empty() ? nullptr : std::move(next));
    return true;
  }

  size_t Count() const { return sinks_ ? sinks_->size() : 0; }
  bool Empty() const { return sinks_ == nullptr; }  // a list is dropped when it empties

  // Whether `test(const Sink&)` holds for a sink the next raise would call.
  template <class Test>
  bool Any(Test&& test) const {
    if (sinks_)
      for (const auto& e : *sinks_)
        if (test(static_cast<const Sink&>(*e.sink))) return true;
    return false;
  }

  // Calls `call(Sink&)` for each sink. `keepAlive` is a strong reference to the raising
  // object (or null while it is being built or destroyed) that the caller holds until the
  // raise returns, so that a sink that drops the last outside reference cannot destroy
  // the raiser under its own feet. Taken by reference: a temporary such as
  // shared_from_this() lives until the raise returns, and no count is touched.
  template <class Owner, class Call>
  void Raise(const std::shared_ptr<Owner>& keepAlive, Call&& call) const {
    Raise(std::forward<Call>(call));
    (void)keepAlive;
  }

  // The same for a raiser its caller keeps alive otherwise (a Pinnable's pin).
  template <class Call>
  void Raise(Call&& call) const {
    const List* snapshot = sinks_.get();
    if (snapshot == nullptr) return;
    const detail::RaiseNesting nesting;
    for (const auto& e : *snapshot) {
      if (sinks_.get() != snapshot && !(sinks_ && Contains(*sinks_, e.cookie))) continue;
      call(*e.sink);
    }
  }

 private:
  struct Entry {
    Cookie cookie;
    std::shared_ptr<Sink> sink;
  };
  using List = std::vector<Entry>;

  void Replace(std::shared_ptr<const List> next) {
    if (sinks_) detail::RaiseNesting::Retire(sinks_);
    sinks_ = std::move(next);
  }

  static bool Contains(const List& list, Cookie cookie) {
    for (const auto& e : list)
      if (e.cookie == cookie) return true;
    return false;
  }

  std::shared_ptr<const List> sinks_;
  Cookie lastCookie_ = 0;
};

}  // namespace zentnet

namespace zentnet {

// An object whose destruction waits for the members running on it. Taking a strong
// reference from `this` (shared_from_this, a weak reference's lock) is an atomic
// compare-and-swap, the dearest step of a poll; a Pin is a plain counter in the object.
// When the last strong reference goes while a pin is held, the object is destroyed as the
// last pin is released: its memory, its fields and its raise stay valid meanwhile. It is
// already expired to weak references then (HoldSelf answers null, as in a destructor), so
// nothing new takes hold of it and a ValueSink no longer routes to it. Such an object must
// be created by Pinnable::Make, whose deleter knows to wait. Single-threaded, like every
// object here: one apartment.
class Pinnable {
 public:
  class Pin {
   public:
    explicit Pin(const Pinnable& object) : object_(object) { ++object_.pins_; }
    ~Pin() {
      if (--object_.pins_ == 0 && object_.doomed_) delete &object_;
    }
    Pin(const Pin&) = delete;
    Pin& operator=(const Pin&) = delete;

   private:
    const Pinnable& object_;
  };

  template <class T>
  static std::shared_ptr<T> Make() {
    return std::shared_ptr<T>(new T(), [](T* object) { Release(object); });
  }

 protected:
  Pinnable() = default;
  virtual ~Pinnable() = default;

 private:
  static void Release(const Pinnable* object) {
    if (object->pins_ > 0)
      object->doomed_ = true;
    else
      delete object;
  }
  mutable int pins_ = 0;
  mutable bool doomed_ = false;
};

// A strong reference to `self` that a member which raises events (itself or through the
// value objects it writes) and then goes on touching its object holds for its whole length:
// a listener may drop the last outside reference at any event. Empty while the object is
// being built by make_shared or destroyed, when no outside reference exists to drop.
template <class T>
auto HoldSelf(T& self) {
  return self.weak_from_this().lock();
}

// The public half of a class's connection point.
template <class Sink>
class EventHost {
 public:
  Cookie Advise(std::shared_ptr<Sink> sink) { return events_.Advise(std::move(sink)); }
  bool Unadvise(Cookie cookie) { return events_.Unadvise(cookie); }

 protected:
  // Calls `event` on every sink with references to `args`, the raising member's own
  // variables: a parameter the member took by value is its private copy, so a sink's write
  // reaches later sinks but never the member's caller; one taken by reference is the
  // caller's variable. `self`, the raiser, stays alive until the raise returns.
  // A Pinnable raiser is pinned, any other held by a strong reference.
  template <class Self, class... Params, class... Args>
  void Fire(Self& self, void (Sink::*event)(Params...), Args&... args) const {
    if (events_.Empty()) return;
    const auto call = [&](Sink& sink) { (sink.*event)(args...); };
    if constexpr (std::is_base_of_v<Pinnable, Self>) {
      const Pinnable::Pin pin(self);
      events_.Raise(call);
    } else {
      events_.Raise(self.shared_from_this(), call);
    }
  }

  EventSource<Sink> events_;
};

// An object held by its owner together with the owner's subscription to it. Replacing
// the object moves the subscription; destroying the holder ends it.
template <class Source, class Sink>
class Subscribed {
 public:
  Subscribed() = default;
  Subscribed(const Subscribed&) = delete;
  Subscribed& operator=(const Subscribed&) = delete;
  ~Subscribed() { Detach(); }

  const std::shared_ptr<Source>& get() const { return object_; }
  Source* operator->() const { return &*err::Required(object_); }
  explicit operator bool() const { return object_ != nullptr; }

  void Reset(std::shared_ptr<Source> next, const std::shared_ptr<Sink>& sink) {
    Detach();
    object_ = std::move(next);
    if (object_) cookie_ = object_->Advise(sink);
  }

 private:
  void Detach() {
    if (object_) object_->Unadvise(cookie_);
    object_.reset();
  }
  std::shared_ptr<Source> object_;
  Cookie cookie_ = 0;
};

}  // namespace zentnet
