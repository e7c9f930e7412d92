#include "win/MethodThunk.h"

#include <gtest/gtest.h>

#include <vector>

#include "win/TestWindow.h"
#include "win/WindowSubclass.h"

namespace {

// An object whose handler serves as the window procedure of its window.
struct Recorder {
  WindowSubclass subclass;
  std::vector<Recorder*> selves;
  std::vector<UINT> messages;
  WPARAM lastWParam = 0;
  LPARAM lastLParam = 0;

  static LRESULT CALLBACK Handle(Recorder* self, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe || message == WM_APP + 8) {
      self->selves.push_back(self);
      self->messages.push_back(message);
      self->lastWParam = wParam;
      self->lastLParam = lParam;
    }
    return self->subclass.CallPrevious(window, message, wParam, lParam);
  }
};

TEST(MethodThunk, ObjectHandlerServesAsWindowProcedure) {
  TestWindow window;
  Recorder first;
  Recorder second;
  const std::uintptr_t firstAddress = first.subclass.MakeMethodThunk(&first, &Recorder::Handle);
  const std::uintptr_t secondAddress = second.subclass.MakeMethodThunk(&second, &Recorder::Handle);
  ASSERT_NE(firstAddress, 0u);
  ASSERT_NE(secondAddress, firstAddress);

  ASSERT_TRUE(first.subclass.Subclass(window.Handle(), ThunkProcedure(firstAddress)));
  EXPECT_EQ(SendMessageA(window.Handle(), kProbe, 3, 0x55AA), kClassAnswer + 3);
  EXPECT_EQ(SendMessageA(window.Handle(), WM_APP + 8, 4, -9), 0);
  ASSERT_EQ(first.messages, (std::vector<UINT>{kProbe, WM_APP + 8}));
  EXPECT_EQ(first.selves, (std::vector<Recorder*>{&first, &first}));
  EXPECT_EQ(first.lastWParam, 4u);
  EXPECT_EQ(first.lastLParam, -9);

  // A second object's stub on the same window reaches the second object only.
  first.subclass.Unsubclass();
  ASSERT_TRUE(second.subclass.Subclass(window.Handle(), ThunkProcedure(secondAddress)));
  SendMessageA(window.Handle(), kProbe, 1, 0);
  EXPECT_EQ(first.messages.size(), 2u);
  EXPECT_EQ(second.selves, (std::vector<Recorder*>{&second}));
  second.subclass.Unsubclass();
}

TEST(MethodThunk, TheStubIsFreedOnlyAfterTheWindowHasItsProcedureBack) {
  TestWindow window;
  {
    Recorder recorder;
    const std::uintptr_t address = recorder.subclass.MakeMethodThunk(&recorder, &Recorder::Handle);
    ASSERT_TRUE(recorder.subclass.Subclass(window.Handle(), ThunkProcedure(address)));
    EXPECT_EQ(recorder.subclass.MakeMethodThunk(&recorder, &Recorder::Handle), 0u) << "no rebuild while installed";
    EXPECT_EQ(SendMessageA(window.Handle(), kProbe, 2, 0), kClassAnswer + 2);
    EXPECT_EQ(recorder.messages.size(), 1u);

    recorder.subclass.Unsubclass();
    const std::uintptr_t rebuilt = recorder.subclass.MakeMethodThunk(&recorder, &Recorder::Handle);
    ASSERT_NE(rebuilt, 0u) << "rebuilt once the window has its procedure back";
    ASSERT_TRUE(recorder.subclass.Subclass(window.Handle(), ThunkProcedure(rebuilt)));
    EXPECT_EQ(SendMessageA(window.Handle(), kProbe, 3, 0), kClassAnswer + 3);
    EXPECT_EQ(recorder.messages.size(), 2u);
  }  // destroyed with its stub installed
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window.Handle(), GWLP_WNDPROC)), TestWindow::ClassProcedure());
  EXPECT_EQ(SendMessageA(window.Handle(), kProbe, 1, 0), kClassAnswer + 1);
}

// Calls a window procedure the way a stdcall caller does, entirely in assembly so that the
// compiler cannot repair the stack afterwards, and reports how many bytes the call left on
// the stack (0 when the callee removed exactly its arguments).
struct DirectCall {
  WNDPROC procedure;
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

int StackLeftBy(const DirectCall& call, LRESULT& result) {
  int left = 0;
  __asm__ volatile(
      "movl %%esp, %%edi\n\t"
      "pushl 16(%%esi)\n\t"
      "pushl 12(%%esi)\n\t"
      "pushl 8(%%esi)\n\t"
      "pushl 4(%%esi)\n\t"
      "call *(%%esi)\n\t"
      "movl %%edi, %%ecx\n\t"
      "subl %%esp, %%ecx\n\t"
      "movl %%edi, %%esp\n\t"
      : "=a"(result), "=c"(left)
      : "S"(&call)
      : "edx", "edi", "memory", "cc");
  return left;
}

TEST(MethodThunk, DirectCallThroughTheStubKeepsTheStackBalanced) {
  TestWindow window;
  Recorder recorder;
  recorder.subclass.Subclass(window.Handle(), TestWindow::ClassProcedure());
  const std::uintptr_t address = recorder.subclass.MakeMethodThunk(&recorder, &Recorder::Handle);
  ASSERT_NE(address, 0u);

  LRESULT result = 0;
  const DirectCall call{ThunkProcedure(address), window.Handle(), kProbe, 9, 77};
  EXPECT_EQ(StackLeftBy(call, result), 0);
  EXPECT_EQ(result, kClassAnswer + 9);
  ASSERT_EQ(recorder.selves.size(), 1u);
  EXPECT_EQ(recorder.selves[0], &recorder);
  EXPECT_EQ(recorder.lastLParam, 77);
  recorder.subclass.Unsubclass();
}

}  // namespace
