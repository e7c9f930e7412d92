// Saving over a file that exists: the question is asked about the file that would be written,
// whatever the user typed; No keeps that file byte for byte and brings the dialog back, Yes
// replaces it.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/process/CaptureOverlay.h"
#include "gx/GxBitmap.h"
#include "output/ReplaceQuestion.h"
#include "output/SaveCapture.h"
#include "support/DialogDriver.h"
#include "support/OverlayFixture.h"

namespace {

const ScreenRect kSelection{100, 100, 160, 140};
const Bytes kOldBytes = {'o', 'l', 'd', ' ', 'f', 'i', 'l', 'e'};

Bytes FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteOld(const std::string& path) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(kOldBytes.data()), static_cast<std::streamsize>(kOldBytes.size()));
}

bool IsPictureOfTheSelection(const std::string& path) {
  GxBitmap decoded;
  return decoded.LoadFromBytes(FileBytes(path)) && decoded.GetWidth() == 60 && decoded.GetHeight() == 40;
}

DialogDriver::Script TypeAndSave(std::string name, int filter) {
  return [name, filter](HWND dialog) {
    TypeFileName(dialog, name);
    ChooseFilter(dialog, filter);
    PressButton(dialog, IDOK);
  };
}

}  // namespace

class SaveReplaceTest : public OverlayTest {
 protected:
  void SetUp() override {
    OverlayTest::SetUp();
    ConfirmReplace = [this](HWND, const std::string& path) {
      asked_.push_back(path);
      return answer_;
    };
    Select(kSelection.left, kSelection.top, kSelection.right, kSelection.bottom);
  }
  void TearDown() override {
    OverlayTest::TearDown();
    ConfirmReplace = [](HWND, const std::string&) { return false; };
  }
  // Presses the toolbar's save button; each dialog that opens gets the next script.
  bool Save(std::vector<DialogDriver::Script> scripts) {
    if (!TheOverlay().IsLoaded()) {
      EXPECT_TRUE(TheOverlay().Load(false));
    }
    if (!State().selectionMade) Select(kSelection.left, kSelection.top, kSelection.right, kSelection.bottom);
    DialogDriver driver(std::move(scripts));
    const ScreenRect toolbar = State().ToolbarRect;
    MoveTo(toolbar.left + 180, toolbar.top + 12);
    Press(toolbar.left + 180, toolbar.top + 12);
    const bool finished = driver.Finish();
    secondNameBox_ = driver.nameBoxTexts.size() > 1 ? driver.nameBoxTexts[1] : "";
    return finished;
  }
  std::string Path(const std::string& name) const { return directory_.Path() + name; }

  TempDir directory_;
  std::vector<std::string> asked_;
  bool answer_ = false;
  std::string secondNameBox_;
};

TEST_F(SaveReplaceTest, ANameWithoutExtensionIsAskedAboutAsTheFileWritten) {
  WriteOld(Path("shot.png"));
  ASSERT_TRUE(Save({TypeAndSave(Path("shot"), 1), [](HWND dialog) { PressButton(dialog, IDCANCEL); }}));
  ASSERT_EQ(asked_, std::vector<std::string>{Path("shot.png")});
  EXPECT_EQ(FileBytes(Path("shot.png")), kOldBytes) << "No keeps the file";
  EXPECT_NE(secondNameBox_.find("shot"), std::string::npos) << "the dialog came back with the name";

  answer_ = true;
  ASSERT_TRUE(Save({TypeAndSave(Path("shot"), 1)}));
  EXPECT_EQ(asked_.size(), 2u);
  EXPECT_TRUE(IsPictureOfTheSelection(Path("shot.png"))) << "Yes replaces it";
  EXPECT_FALSE(TheOverlay().IsLoaded());
}

TEST_F(SaveReplaceTest, ADottedNameIsAskedAboutAsTheFileOfTheChosenFilter) {
  WriteOld(Path("shot.gif"));
  answer_ = true;
  ASSERT_TRUE(Save({TypeAndSave(Path("shot.old.jpg"), 4)}));
  ASSERT_EQ(asked_, std::vector<std::string>{Path("shot.gif")});
  EXPECT_TRUE(IsPictureOfTheSelection(Path("shot.gif")));
  EXPECT_TRUE(FileBytes(Path("shot.old.jpg")).empty());
}

TEST_F(SaveReplaceTest, ATypedNameThatIsNotWrittenIsNotAskedAbout) {
  WriteOld(Path("x.jpg"));
  ASSERT_TRUE(Save({TypeAndSave(Path("x.jpg"), 1)}));
  EXPECT_TRUE(asked_.empty());
  EXPECT_TRUE(IsPictureOfTheSelection(Path("x.png")));
  EXPECT_EQ(FileBytes(Path("x.jpg")), kOldBytes);
}
