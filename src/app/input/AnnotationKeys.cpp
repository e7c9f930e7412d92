// The keys and the typed text of the annotation tools (see AnnotationInput.h).

#include <windows.h>
#include <imm.h>

#include <cmath>
#include <optional>

#include "app/capture/CaptureSession.h"
#include "app/desktop/ImeText.h"
#include "app/input/AnnotationInput.h"
#include "app/input/Commands.h"

namespace {

bool Held(int key) { return GetKeyState(key) < 0; }

std::optional<EditKey> EditKeyFor(WPARAM key) {
  switch (key) {
    case VK_RETURN: return EditKey::NewLine;
    case VK_BACK: return EditKey::Backspace;
    case VK_DELETE: return EditKey::Delete;
    case VK_LEFT: return EditKey::Left;
    case VK_RIGHT: return EditKey::Right;
    case VK_UP: return EditKey::Up;
    case VK_DOWN: return EditKey::Down;
    case VK_HOME: return EditKey::Home;
    case VK_END: return EditKey::End;
    default: return std::nullopt;
  }
}

// The composition window follows the caret, so what an input method composes shows where it goes.
void FollowCaret(HWND window, const AnnotationTool& tool) {
  if (const std::optional<GxRectF> caret = tool.Caret())
    PlaceImeComposition(window, POINT{static_cast<LONG>(std::lround(caret->x)), static_cast<LONG>(std::lround(caret->y))});
}

bool TextBoxTakes(AnnotationTool& tool, WPARAM key) {
  if (Held(VK_CONTROL)) return false;  // Ctrl+Z and the like are no editing keys
  if (key == VK_ESCAPE) {
    tool.Discard();
  } else if (const std::optional<EditKey> edit = EditKeyFor(key)) {
    tool.Edit(*edit);
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool AnnotationTakesKey(CaptureSession& session, WPARAM key) {
  AnnotationTool* tool = session.annotations.Tool();
  if (tool && tool->Typing() && TextBoxTakes(*tool, key)) return true;
  if (!Held(VK_CONTROL)) return false;
  const bool undo = key == 'Z' && !Held(VK_SHIFT);
  const bool redo = key == 'Y' || (key == 'Z' && Held(VK_SHIFT));
  if (!undo && !redo) return false;
  if (tool && tool->Pressed()) return true;  // not in the middle of drawing
  Execute(session, undo ? Command::Undo : Command::Redo);
  return true;
}

bool AnnotationTakesText(CaptureSession& session, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  AnnotationTool* tool = session.annotations.Tool();
  if (!tool || !tool->Typing()) return false;
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
      tool->Type(std::wstring(1, static_cast<wchar_t>(wParam)));
      break;
    case WM_IME_STARTCOMPOSITION:
      FollowCaret(window, *tool);
      return false;  // the input method goes on to show its composition there
    case WM_IME_COMPOSITION:
      if ((lParam & GCS_RESULTSTR) == 0) return false;  // still composing: the input method shows it
      tool->Type(ImeResultText(window));
      break;
    default:
      return false;
  }
  FollowCaret(window, *tool);
  return true;
}
