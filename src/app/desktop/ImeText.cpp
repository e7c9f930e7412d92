#include "app/desktop/ImeText.h"

#include <imm.h>

#include <utility>

#include "gx/UniqueHandle.h"

namespace {

// The window's input context, given back to that window when done.
struct InputContextTraits {
  using Handle = std::pair<HWND, HIMC>;
  static Handle Empty() { return {}; }
  static void Close(Handle context) { ImmReleaseContext(context.first, context.second); }
};

class InputContext : public UniqueHandle<InputContextTraits> {
 public:
  explicit InputContext(HWND window) {
    if (HIMC context = ImmGetContext(window)) reset({window, context});
  }
  HIMC Get() const { return get().second; }
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
