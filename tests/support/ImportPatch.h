#pragma once
// Sends every call the test program makes to one imported function (through its import table)
// to a replacement while it lives: a way to make a system call fail exactly where a test wants.

#include <windows.h>

class ImportPatch {
 public:
  ImportPatch(const char* library, const char* function, const void* replacement);
  ~ImportPatch();
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;

  bool Applied() const { return slot_ != nullptr; }
  template <typename Function>
  Function Original() const {
    return reinterpret_cast<Function>(original_);
  }

 private:
  void Write(void* value);

  void** slot_ = nullptr;
  void* original_ = nullptr;
};
