#include "output/ReplaceQuestion.h"

#include "gx/GxText.h"

namespace {

bool AskToReplace(HWND owner, const std::string& path) {
  const int answer = MessageBoxW(owner, Utf8ToWide(ReplaceQuestionText(path)).c_str(),
                                 Utf8ToWide(ReplaceQuestionCaption()).c_str(),
                                 MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);
  return answer == IDYES;
}

}  // namespace

std::function<bool(HWND, const std::string&)> ConfirmReplace = AskToReplace;

std::string ReplaceQuestionCaption() { return "确认另存为"; }

std::string ReplaceQuestionText(const std::string& path) { return path + " 已存在。\r\n要替换它吗？"; }
