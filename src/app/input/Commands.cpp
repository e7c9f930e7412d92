#include "app/input/Commands.h"

#include "app/canvas/EmbeddedAssets.h"
#include "app/capture/CaptureSession.h"
#include "win/CommandLatch.h"
#include "app/render/Render.h"
#include "app/desktop/Desktop.h"
#include "output/Clipboard.h"
#include "output/OutputImage.h"
#include "output/SaveCapture.h"

namespace {

struct CodeCommand {
  int code;
  Command command;
};

constexpr CodeCommand kToolbarCommands[] = {
    {1, Command::ToggleRectangle}, {2, Command::ToggleEllipse}, {3, Command::ToggleArrow},
    {4, Command::ToggleBrush},     {5, Command::ToggleText},    {6, Command::Undo},
    {7, Command::Save},            {10, Command::Cancel},       {11, Command::Finish},
    {12, Command::ToggleLine},     {13, Command::ToggleHighlighter}, {14, Command::ToggleMosaic},
    {15, Command::ToggleBlur},     {16, Command::ToggleStepNumber},
};

constexpr CodeCommand kMenuCommands[] = {
    {1, Command::ArmRectangle}, {2, Command::ArmEllipse}, {3, Command::ArmArrow}, {4, Command::ArmBrush},
    {5, Command::ArmText},      {6, Command::Undo},       {7, Command::Reselect}, {8, Command::Finish},
    {9, Command::Save},         {10, Command::HideTools}, {11, Command::Cancel},
};

constexpr CodeCommand kToolKeys[] = {
    {'R', Command::ToggleRectangle}, {'E', Command::ToggleEllipse},     {'A', Command::ToggleArrow},
    {'L', Command::ToggleLine},      {'P', Command::ToggleBrush},       {'H', Command::ToggleHighlighter},
    {'T', Command::ToggleText},      {'M', Command::ToggleMosaic},      {'B', Command::ToggleBlur},
    {'N', Command::ToggleStepNumber},
};

template <size_t N>
std::optional<Command> Lookup(const CodeCommand (&table)[N], int code) {
  for (const CodeCommand& entry : table)
    if (entry.code == code) return entry.command;
  return std::nullopt;
}

OutputSource Output(CaptureSession& session) {
  // An open text box is part of what the user sees, so of what they get.
  session.annotations.KeepOpenWork();
  return OutputSource{session.FrozenLayer, session.annotations.Layer(), session.state.SelectionRect};
}

void Reset(CaptureSession& session) {
  CaptureState& state = session.state;
  const bool toolsHidden = state.toolsHidden, hexColour = state.hexColour;
  state = CaptureState{};
  state.toolsHidden = toolsHidden;
  state.hexColour = hexColour;
  session.SetPointer(OverlayCursor());
  session.annotations.Forget();
}

// A finish that cannot reach the clipboard keeps the capture, and says why.
void Finish(CaptureSession& session) {
  if (session.state.ButtonDown()) session.state.mode = modes::Selected{};
  const ClipboardResult result = CopySelectionToClipboard(session.Window(), Output(session));
  if (result == ClipboardResult::Copied) {
    EndCapture();
    return;
  }
  // An empty selection has no picture to keep the capture for.
  if (!CaptureOpen() || session.state.SelectionRect.IsEmpty()) {
    EndCapture();
    return;
  }
  ReportClipboardFailure(session.Window(), result == ClipboardResult::Busy ? "另一个程序正占用剪贴板。"
                                                                          : "无法生成截图的图像（内存可能不足）。");
}

void Save(CaptureSession& session) {
  // The press that chose the command ends here: its release goes to the dialog, not to us.
  if (session.state.ButtonDown()) session.state.mode = modes::Selected{};
  session.subclass.ReleaseMouse();
  // While the dialog is open the overlay shows what is being saved, the annotations included.
  Render(session, std::nullopt);
  session.frame.Present();
  const OutputSource source = Output(session);
  const SaveOutcome outcome =
      SaveSelection(session.Window(), source, session.encodingAhead, [] { return CaptureOpen(); });
  if (!CaptureOpen()) return;  // the capture ended while the dialog or the message was up
  if (outcome == SaveOutcome::Saved) {
    EndCapture();
    return;
  }
  // A dismissed dialog or a failed write leaves the capture as it was, annotations, armed tool
  // and undo history included, for another try; a menu open when the save began (Ctrl+S) is closed.
  session.state.CloseMenu();
}

void Arm(CaptureSession& session, ToolKind kind, bool toggle) {
  if (toggle || session.annotations.Armed() != kind) session.annotations.Toggle(kind);
}

}  // namespace

std::optional<Command> ToolbarCommand(int code) { return Lookup(kToolbarCommands, code); }
std::optional<Command> MenuCommand(int row) { return Lookup(kMenuCommands, row); }
std::optional<Command> ToolKeyCommand(WPARAM key) { return Lookup(kToolKeys, static_cast<int>(key)); }

void Execute(CaptureSession& session, Command command) {
  CommandScope scope;
  switch (command) {
    case Command::ToggleRectangle: Arm(session, ToolKind::Rectangle, true); break;
    case Command::ToggleEllipse: Arm(session, ToolKind::Ellipse, true); break;
    case Command::ToggleArrow: Arm(session, ToolKind::Arrow, true); break;
    case Command::ToggleBrush: Arm(session, ToolKind::Brush, true); break;
    case Command::ToggleText: Arm(session, ToolKind::Text, true); break;
    case Command::ToggleLine: Arm(session, ToolKind::Line, true); break;
    case Command::ToggleHighlighter: Arm(session, ToolKind::Highlighter, true); break;
    case Command::ToggleMosaic: Arm(session, ToolKind::Mosaic, true); break;
    case Command::ToggleBlur: Arm(session, ToolKind::Blur, true); break;
    case Command::ToggleStepNumber: Arm(session, ToolKind::StepNumber, true); break;
    case Command::ArmRectangle: Arm(session, ToolKind::Rectangle, false); break;
    case Command::ArmEllipse: Arm(session, ToolKind::Ellipse, false); break;
    case Command::ArmArrow: Arm(session, ToolKind::Arrow, false); break;
    case Command::ArmBrush: Arm(session, ToolKind::Brush, false); break;
    case Command::ArmText: Arm(session, ToolKind::Text, false); break;
    case Command::Undo: session.annotations.Undo(); break;
    case Command::Redo: session.annotations.Redo(); break;
    case Command::HideTools: session.state.toolsHidden = !session.state.toolsHidden; break;
    case Command::Reselect:
      Reset(session);
      session.state.mode = modes::Looking{true};
      break;
    case Command::Reset: Reset(session); break;
    case Command::Finish: Finish(session); break;
    case Command::Save: Save(session); break;
    case Command::Cancel: EndCapture(); break;
  }
}

namespace {

void OnOpenCapture(Command command) {
  if (CaptureSession* session = CurrentSession()) {
    Execute(*session, command);
    if (CaptureSession* still = CurrentSession()) {
      Render(*still, CursorPosition());
      still->frame.Present();
    }
  }
}

}  // namespace

void FinishCapture() { OnOpenCapture(Command::Finish); }
void SaveCapture() { OnOpenCapture(Command::Save); }
void CancelCapture() { OnOpenCapture(Command::Cancel); }
void ResetCapture() { OnOpenCapture(Command::Reset); }
void ReselectCapture() { OnOpenCapture(Command::Reselect); }
