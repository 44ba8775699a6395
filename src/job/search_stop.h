#pragma once
// A long search (the weights from the box) asked from another thread to stop early: a calculation
// run inside a StopScope gives what it has found so far once the flag is set. The window uses it
// when a newer edit makes the running calculation stale.
#include <atomic>

namespace balance4::job {

class StopScope {
  public:
    explicit StopScope(const std::atomic<bool>& flag);
    ~StopScope();
    StopScope(const StopScope&) = delete;
    StopScope& operator=(const StopScope&) = delete;

  private:
    const std::atomic<bool>* m_outer;
};

// The flag of the innermost scope on this thread; null outside every scope.
const std::atomic<bool>* StopFlag();

}  // namespace balance4::job
