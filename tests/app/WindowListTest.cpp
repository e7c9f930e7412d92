// The windows a click can pick: noted in z-order with their children, clipped to the screen, some
// left out; the innermost one under a point.

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "app/desktop/WindowList.h"
#include "support/TestWindow.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

// The noted top-level windows that are among `ours`, in the noted order.
std::vector<const NotedWindow*> Among(const WindowList& noted, std::initializer_list<HWND> ours) {
  std::vector<const NotedWindow*> found;
  for (const NotedWindow& window : noted)
    if (std::find(ours.begin(), ours.end(), window.handle) != ours.end()) found.push_back(&window);
  return found;
}

HWND HandleAt(const WindowList& noted, int x, int y) {
  const NotedWindow* window = InnermostWindowAt(noted, x, y);
  return window ? window->handle : nullptr;
}

}  // namespace

TEST(WindowListTest, TopLevelWindowsInZOrderWithTheirChildrenInnermostWins) {
  TestWindow lower(100, 100, 300, 200);
  TestWindow child(lower, 20, 20, 120, 90);
  TestWindow grandchild(child, 10, 10, 30, 30);
  TestWindow hiddenChild(lower, 200, 20, 50, 50);
  ShowWindow(hiddenChild.Handle(), SW_HIDE);
  TestWindow upper(350, 150, 200, 200);  // made last: in front, over the lower one's right part

  const WindowList noted = NoteVisibleWindows(nullptr, kWidth, kHeight);
  const auto found = Among(noted, {lower.Handle(), upper.Handle()});
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0]->handle, upper.Handle());
  EXPECT_EQ(found[0]->rect, (ScreenRect{350, 150, 550, 350}));
  EXPECT_EQ(found[1]->rect, (ScreenRect{100, 100, 400, 300}));
  ASSERT_EQ(found[1]->children.size(), 1u) << "the hidden child is left out";
  EXPECT_EQ(found[1]->children[0].rect, (ScreenRect{120, 120, 240, 210}));
  ASSERT_EQ(found[1]->children[0].children.size(), 1u);
  EXPECT_EQ(found[1]->children[0].children[0].rect, (ScreenRect{130, 130, 160, 160}));

  EXPECT_EQ(HandleAt(noted, 130, 130), grandchild.Handle());
  EXPECT_EQ(HandleAt(noted, 159, 159), grandchild.Handle());
  EXPECT_EQ(HandleAt(noted, 160, 159), child.Handle()) << "right and bottom edges are outside";
  EXPECT_EQ(HandleAt(noted, 300, 120), lower.Handle()) << "where the hidden child is";
  EXPECT_EQ(HandleAt(noted, 360, 160), upper.Handle()) << "the window in front wins";
}

TEST(WindowListTest, ClippedToTheScreenAndTheParentAndLeavingOutWhatCannotBePicked) {
  TestWindow offLeft(-50, -30, 200, 100);
  TestWindow beyond(kWidth + 10, 10, 100, 100);
  TestWindow empty(300, 300, 0, 50);
  TestWindow minimized(400, 400, 100, 100);
  ShowWindow(minimized.Handle(), SW_MINIMIZE);
  TestWindow hidden(420, 420, 100, 100);
  ShowWindow(hidden.Handle(), SW_HIDE);
  TestWindow wallpaper(500, 100, 100, 100, L"Progman");
  TestWindow icons(520, 120, 100, 100, L"WorkerW");
  TestWindow skipped(600, 400, 50, 50);
  TestWindow parent(200, 400, 100, 100);
  TestWindow overhanging(parent, 50, 50, 200, 200);

  const WindowList noted = NoteVisibleWindows(skipped.Handle(), kWidth, kHeight);
  const auto found = Among(noted, {offLeft.Handle(), beyond.Handle(), empty.Handle(), minimized.Handle(),
                                   hidden.Handle(), wallpaper.Handle(), icons.Handle(), skipped.Handle(),
                                   parent.Handle()});
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0]->handle, parent.Handle());
  ASSERT_EQ(found[0]->children.size(), 1u);
  EXPECT_EQ(found[0]->children[0].rect, (ScreenRect{250, 450, 300, 500}));
  EXPECT_EQ(found[1]->handle, offLeft.Handle());
  EXPECT_EQ(found[1]->rect, (ScreenRect{0, 0, 150, 70}));
}
