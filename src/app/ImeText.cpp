#include "app/ImeText.h"

#include <imm.h>

namespace {

// The window's input context, given back when done.
class InputContext {
 public:
  explicit InputContext(HWND window) : window_(window), context_(ImmGetContext(window)) {}
  ~InputContext() {
    if (context_) ImmReleaseContext(window_, context_);
  }
  InputContext(const InputContext&) = delete;
  InputContext& operator=(const InputContext&) = delete;
  HIMC Get() const { return context_; }

 private:
  HWND window_;
  HIMC context_;
};

}  // namespace

std::wstring ImeResultText(HWND window) {
  InputContext context(window);
  if (!context.Get()) return {};
  const LONG bytes = ImmGetCompositionStringW(context.Get(), GCS_RESULTSTR, nullptr, 0);
  if (bytes <= 0) return {};
  std::wstring text(static_cast<size_t>(bytes) / sizeof(wchar_t), L'\0');
  const LONG got = ImmGetCompositionStringW(context.Get(), GCS_RESULTSTR, text.data(), static_cast<DWORD>(bytes));
  text.resize(got > 0 ? static_cast<size_t>(got) / sizeof(wchar_t) : 0);
  return text;
}

void PlaceImeComposition(HWND window, POINT at) {
  InputContext context(window);
  if (!context.Get()) return;
  COMPOSITIONFORM form{};
  form.dwStyle = CFS_POINT;
  form.ptCurrentPos = at;
  ImmSetCompositionWindow(context.Get(), &form);
}
