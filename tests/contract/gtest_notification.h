// GoogleTest's Notification for MinGW's win32 thread model, whose standard
// library (before GCC 13) has no std::mutex for GoogleTest's own: the same
// class over a Win32 event. Force-included in the Windows build only.
#pragma once

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
 public:
  Notification();
  ~Notification();
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  void Notify();
  void WaitForNotification();

 private:
  void* event_;
};

}  // namespace internal
}  // namespace testing
