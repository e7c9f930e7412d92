#pragma once
// A command (finish, save, cancel, reset, reselect) can pump messages: the save dialog and the
// failure message run loops of their own. Input that reaches the overlay from inside one of them
// must not start a second command, nor change the capture under the first.

class CommandScope {
 public:
  CommandScope() { ++depth_; }
  ~CommandScope() { --depth_; }
  CommandScope(const CommandScope&) = delete;
  CommandScope& operator=(const CommandScope&) = delete;

  static bool Running() { return depth_ > 0; }

 private:
  static inline int depth_ = 0;
};
