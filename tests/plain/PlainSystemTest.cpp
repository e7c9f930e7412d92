// The program on a plain Windows: the ANSI code page is 1252, as on any Windows before 10
// version 1903 whatever the manifest asks, and none of the fonts the program names is installed.
// Its texts must still reach the system whole and its labels must still show. tests/plain/run.sh
// runs this in a Wine prefix made for it.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/process/CaptureOverlay.h"
#include "app/process/MainWindow.h"
#include "gx/GdiplusApi.h"
#include "gx/GxFont.h"
#include "gx/GxFontFamily.h"
#include "gx/GxGraphics.h"
#include "gx/GxSolidBrush.h"
#include "gx/GxObject.h"
#include "gx/GxText.h"
#include "gx/LabelFont.h"
#include "output/ReplaceQuestion.h"
#include "output/ChooseSaveFile.h"
#include "output/SaveCapture.h"
#include "support/DialogDriver.h"
#include "support/OverlayFixture.h"
#include "win/FileDialog.h"

namespace {

constexpr int kFontFamilyNotFound = 14;

std::wstring WindowTextW(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

BOOL CALLBACK FindDialogBox(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) *reinterpret_cast<HWND*>(found) = window;
  return TRUE;
}

// Reads the first message box the thread shows (caption, text, default button), then answers No.
class MessageBoxReader {
 public:
  explicit MessageBoxReader(DWORD thread) : worker_([this, thread] { Read(thread); }) {}
  ~MessageBoxReader() { Finish(); }
  MessageBoxReader(const MessageBoxReader&) = delete;
  MessageBoxReader& operator=(const MessageBoxReader&) = delete;
  void Finish() {
    if (worker_.joinable()) worker_.join();
  }
  std::wstring caption, text;
  bool noIsDefault = false;

 private:
  void Read(DWORD thread) {
    HWND box = nullptr;
    for (int i = 0; i < 200 && !box; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      EnumThreadWindows(thread, FindDialogBox, reinterpret_cast<LPARAM>(&box));
    }
    if (!box) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    caption = WindowTextW(box);
    text = WindowTextW(GetDlgItem(box, 0xFFFF));  // the message's static text
    noIsDefault = (GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDNO)));
  }
  std::thread worker_;
};

// Every text handed to GdipDrawString while it lives.
class DrawnStrings {
 public:
  DrawnStrings() : real_(GdiplusEntries().GdipDrawString) {
    texts_.clear();
    realEntry_ = real_;
    GdiplusEntries().GdipDrawString = &Record;
  }
  ~DrawnStrings() { GdiplusEntries().GdipDrawString = real_; }
  DrawnStrings(const DrawnStrings&) = delete;
  DrawnStrings& operator=(const DrawnStrings&) = delete;
  const std::vector<std::wstring>& Texts() const { return texts_; }

 private:
  static Gdiplus::GpStatus WINGDIPAPI Record(Gdiplus::GpGraphics* graphics, const WCHAR* text, INT length,
                                              const Gdiplus::GpFont* font, const Gdiplus::RectF* layout,
                                              const Gdiplus::GpStringFormat* format, const Gdiplus::GpBrush* brush) {
    texts_.emplace_back(text, length < 0 ? std::wcslen(text) : static_cast<std::size_t>(length));
    return realEntry_(graphics, text, length, font, layout, format, brush);
  }

  decltype(GdiplusApi::GdipDrawString) real_;
  static inline decltype(GdiplusApi::GdipDrawString) realEntry_ = nullptr;
  static inline std::vector<std::wstring> texts_;
};

}  // namespace

class PlainSystem : public OverlayTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), 1252u) << "these tests need the ANSI code page 1252 (tests/plain/run.sh)";
    OverlayTest::SetUp();
  }
  // Pixels of the canvas rectangle that are white text (every channel bright), where everything
  // else is dark: the label's box and the magnifier's panel darken what lies under them.
  int WhiteIn(RECT area) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) {
        const COLORREF c = Canvas(x, y);
        count += GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200;
      }
    return count;
  }
};

TEST_F(PlainSystem, TheMainWindowsTextsReachTheSystemWhole) {
  MainWindow& window = TheMainWindow();
  ASSERT_TRUE(window.Load(false));
  EXPECT_EQ(WindowTextW(window.Handle()), L"仿Vexo截图----Tarnel");
  EXPECT_EQ(WindowTextW(window.StartButton()), L"开始截图");
  EXPECT_EQ(window.Caption(), "仿Vexo截图----Tarnel");
  EXPECT_TRUE(IsWindowUnicode(window.Handle())) << "its procedure receives UTF-16 characters";
  EXPECT_TRUE(IsWindowUnicode(Overlay())) << "and so does the overlay's, subclassed";
}

TEST_F(PlainSystem, TheSizeLabelReachesGdiplusWhole) {
  DrawnStrings drawn;
  Select(100, 100, 160, 300);
  const std::vector<std::wstring>& texts = drawn.Texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"60 × 200"), texts.end());
  for (const std::wstring& text : texts) EXPECT_EQ(text.find(L'\u00C3'), std::wstring::npos) << "UTF-8 read as 1252";
}

TEST_F(PlainSystem, LabelsShowWithoutTheNamedFonts) {
  {
    GxFontFamily named, generic;
    EXPECT_FALSE(named.CreateFromName("微软雅黑"));
    EXPECT_EQ(LastStatus, kFontFamilyNotFound);
    EXPECT_FALSE(generic.CreateGenericSansSerif());
    EXPECT_EQ(LastStatus, kFontFamilyNotFound);
  }
  // While drawing, the magnifier shows the size and the colour under the cursor.
  MoveTo(100, 100);
  Press(100, 100);
  MoveTo(160, 300);
  const POINT panel{160 + 5, 300 + 25};
  EXPECT_GT(WhiteIn(RECT{panel.x + 4, panel.y + 90, panel.x + 124, panel.y + 121}), 20) << "magnifier texts";
  Release(160, 300);
  MoveTo(5, 5);
  EXPECT_GT(WhiteIn(RECT{100, 100 - 23, 100 + 72, 100 - 3}), 20) << "size label";
}

// The fallback font is wider than the one the label's box was made for: the size must still
// show whole, on one line, as far right as the text reaches when nothing limits it.
TEST_F(PlainSystem, TheSizeLabelShowsWholeInTheFallbackFont) {
  const std::string text = "256 × 120";
  GxGraphics free;
  GxFont font;
  GxSolidBrush white;
  ASSERT_TRUE(free.CreateSurface(300, 20));
  ASSERT_TRUE(CreateLabelFont(font, 11));
  white.Create(0xFFFFFFFF);
  free.DrawString(text, font, white, GxRectF{8, 2, 1000, 14});
  const auto rightmostWhite = [](int width, const std::function<COLORREF(int, int)>& pixel) {
    int right = -1;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < width; ++x) {
        const COLORREF c = pixel(x, y);
        if (GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200) right = std::max(right, x);
      }
    return right;
  };
  const int reach = rightmostWhite(300, [&](int x, int y) { return free.GetSurfacePixel(x, y); });
  ASSERT_GT(reach, 40);
  Select(100, 100, 356, 220);
  MoveTo(5, 5);
  EXPECT_GE(rightmostWhite(300, [&](int x, int y) { return Canvas(100 + x, 77 + y); }), reach - 1)
      << "the label's text is cut";
}

TEST_F(PlainSystem, TheSaveDialogAndTheReplaceQuestionShowTheirTextsWhole) {
  TempDir temp;
  const std::string directory = temp.Subdirectory("图片");
  FileDialog dialog;
  dialog.SetDefaultName("截图20240102030405");
  DialogDriver driver([&](HWND window) {
    TypeFileName(window, directory + "截图");
    PressButton(window, IDOK);
  });
  EXPECT_EQ(dialog.ShowSave(Overlay(), "", kSaveFilter, ""), directory + "截图.png");
  ASSERT_TRUE(driver.Finish());
  EXPECT_EQ(driver.nameBoxText, "截图20240102030405");

  MessageBoxReader reader(GetCurrentThreadId());
  const bool answer = ConfirmReplace(Overlay(), directory + "截图.png");
  reader.Finish();
  EXPECT_FALSE(answer);
  EXPECT_EQ(reader.caption, Utf8ToWide(ReplaceQuestionCaption()));
  EXPECT_EQ(reader.text, Utf8ToWide(ReplaceQuestionText(directory + "截图.png")));
  EXPECT_NE(reader.text.find(L"图片\\截图.png"), std::wstring::npos);
  EXPECT_TRUE(reader.noIsDefault);
}
