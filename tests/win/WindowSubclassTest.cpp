#include "win/WindowSubclass.h"

#include <gtest/gtest.h>

#include "win/TestWindow.h"

namespace {

// The procedure under test hands every message on, as the overlay's procedure does.
WindowSubclass* active = nullptr;
int firstSeen = 0;
int secondSeen = 0;

LRESULT CALLBACK FirstProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe) ++firstSeen;
  return active->CallPrevious(window, message, wParam, lParam);
}

LRESULT CALLBACK SecondProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe) {
    ++secondSeen;
    return active->CallPrevious(window, message, wParam, lParam) + 1;
  }
  return active->CallPrevious(window, message, wParam, lParam);
}

WNDPROC CurrentProcedure(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

class WindowSubclassTest : public testing::Test {
 protected:
  void SetUp() override {
    firstSeen = secondSeen = 0;
    TestWindow::ProbesSeen() = 0;
  }
  void TearDown() override { active = nullptr; }
};

TEST_F(WindowSubclassTest, MessagesPassThroughNewProcedureToThePreviousOne) {
  TestWindow window;
  {
    WindowSubclass subclass;
    active = &subclass;
    ASSERT_TRUE(subclass.Subclass(window.Handle(), SecondProcedure));
    EXPECT_EQ(subclass.GetWindow(), window.Handle());
    EXPECT_EQ(SendMessageA(window.Handle(), kProbe, 5, 0), kClassAnswer + 5 + 1);
    EXPECT_EQ(secondSeen, 1);
    EXPECT_EQ(TestWindow::ProbesSeen(), 1);

    EXPECT_TRUE(subclass.Unsubclass());
    EXPECT_EQ(subclass.GetWindow(), nullptr);
    EXPECT_EQ(SendMessageA(window.Handle(), kProbe, 5, 0), kClassAnswer + 5);
    EXPECT_EQ(secondSeen, 1);
    // The previous procedure stays known after Unsubclass.
    EXPECT_EQ(subclass.CallPrevious(window.Handle(), kProbe, 2, 0), kClassAnswer + 2);
    EXPECT_FALSE(subclass.Unsubclass());

    ASSERT_TRUE(subclass.Subclass(window.Handle(), SecondProcedure));
  }
  // Destruction puts the original procedure back.
  EXPECT_EQ(CurrentProcedure(window.Handle()), TestWindow::ClassProcedure());
  EXPECT_EQ(SendMessageA(window.Handle(), kProbe, 0, 0), kClassAnswer);
}

TEST_F(WindowSubclassTest, SubclassTwiceKeepsTheOriginalPreviousProcedure) {
  TestWindow window;
  WindowSubclass subclass;
  active = &subclass;
  ASSERT_TRUE(subclass.Subclass(window.Handle(), FirstProcedure));
  ASSERT_TRUE(subclass.Subclass(window.Handle(), SecondProcedure));
  EXPECT_EQ(CurrentProcedure(window.Handle()), &SecondProcedure);

  // The first procedure is out of the chain: the second hands straight to the class.
  EXPECT_EQ(SendMessageA(window.Handle(), kProbe, 0, 0), kClassAnswer + 1);
  EXPECT_EQ(firstSeen, 0);
  EXPECT_EQ(secondSeen, 1);
  EXPECT_EQ(TestWindow::ProbesSeen(), 1);

  EXPECT_TRUE(subclass.Unsubclass());
  EXPECT_EQ(CurrentProcedure(window.Handle()), TestWindow::ClassProcedure());
}

TEST_F(WindowSubclassTest, WordsOfAParameterOnlyWhileSubclassed) {
  const LPARAM value = static_cast<LPARAM>(0xFFFF0010u);
  WindowSubclass subclass;
  EXPECT_EQ(subclass.LowWord(value), 0);
  EXPECT_EQ(subclass.HighWord(value), 0);

  TestWindow window;
  active = &subclass;
  ASSERT_TRUE(subclass.Subclass(window.Handle(), SecondProcedure));
  EXPECT_EQ(subclass.LowWord(value), 16);
  EXPECT_EQ(subclass.HighWord(value), -1);
  EXPECT_EQ(subclass.LowWord(static_cast<LPARAM>(0x0005FFFF)), 0xFFFF);
  EXPECT_EQ(subclass.HighWord(static_cast<LPARAM>(0x0005FFFF)), 5);

  subclass.Unsubclass();
  EXPECT_EQ(subclass.LowWord(value), 0);
  EXPECT_EQ(subclass.HighWord(value), 0);
}

TEST_F(WindowSubclassTest, WindowOperationsDoNothingWhileUnsubclassed) {
  TestWindow window;
  SetCapture(window.Handle());
  WindowSubclass subclass;
  int left = -1, top = -1, right = -1, bottom = -1;
  EXPECT_EQ(subclass.BeginPainting(left, top, right, bottom), nullptr);
  EXPECT_EQ(left, -1);
  EXPECT_FALSE(subclass.EndPainting());
  EXPECT_FALSE(subclass.TrackMouseLeave());
  EXPECT_FALSE(subclass.CaptureMouse());
  EXPECT_FALSE(subclass.ReleaseMouse());
  EXPECT_EQ(subclass.GetMouseCapture(), nullptr);
  EXPECT_EQ(GetCapture(), window.Handle());
  ReleaseCapture();
}

TEST_F(WindowSubclassTest, MouseCaptureIsReleasedOnlyWhenThisWindowHoldsIt) {
  TestWindow window;
  TestWindow other;
  WindowSubclass subclass;
  active = &subclass;
  ASSERT_TRUE(subclass.Subclass(window.Handle(), SecondProcedure));

  SetCapture(other.Handle());
  ASSERT_EQ(GetCapture(), other.Handle());
  EXPECT_FALSE(subclass.ReleaseMouse());
  EXPECT_EQ(GetCapture(), other.Handle());
  EXPECT_EQ(subclass.GetMouseCapture(), other.Handle());

  EXPECT_TRUE(subclass.CaptureMouse());
  EXPECT_EQ(GetCapture(), window.Handle());
  EXPECT_TRUE(subclass.CaptureMouse());
  EXPECT_EQ(GetCapture(), window.Handle());
  EXPECT_TRUE(subclass.ReleaseMouse());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(subclass.ReleaseMouse());
}

}  // namespace
