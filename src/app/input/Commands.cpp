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
};

constexpr CodeCommand kMenuCommands[] = {
    {1, Command::ArmRectangle}, {2, Command::ArmEllipse}, {3, Command::ArmArrow}, {4, Command::ArmBrush},
    {5, Command::ArmText},      {6, Command::Undo},       {7, Command::Reselect}, {8, Command::Finish},
    {9, Command::Save},         {10, Command::HideTools}, {11, Command::Cancel},
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
  const bool toolsHidden = state.toolsHidden;
  state = CaptureState{};
  state.toolsHidden = toolsHidden;
  session.SetPointer(OverlayCursor());
  session.annotations.Forget();
}

void Finish(CaptureSession& session) {
  CopySelectionToClipboard(session.Window(), Output(session));
  EndCapture();
}

void Save(CaptureSession& session) {
  // The press that chose the command ends here: its release goes to the dialog, not to us.
  if (session.state.ButtonDown()) session.state.mode = modes::Selected{};
  session.subclass.ReleaseMouse();
  // What the overlay shows while the dialog is open.
  session.frame.PaintBase();
  session.frame.Present();
  const OutputSource source = Output(session);
  const SaveOutcome outcome =
      SaveSelection(session.Window(), source, session.encodingAhead, [] { return CaptureOpen(); });
  if (!CaptureOpen()) return;  // the capture ended while the dialog or the message was up
  switch (outcome) {
    case SaveOutcome::Saved: EndCapture(); break;
    case SaveOutcome::Dismissed: Reset(session); break;
    // The capture stays for another try: the selection and its toolbar come back, and a menu
    // the save was chosen from closes with it.
    case SaveOutcome::Failed: session.state.mode = modes::Selected{}; break;
  }
}

void Arm(CaptureSession& session, ToolKind kind, bool toggle) {
  if (toggle || session.annotations.Armed() != kind) session.annotations.Toggle(kind);
}

}  // namespace

std::optional<Command> ToolbarCommand(int code) { return Lookup(kToolbarCommands, code); }
std::optional<Command> MenuCommand(int row) { return Lookup(kMenuCommands, row); }

void Execute(CaptureSession& session, Command command) {
  CommandScope scope;
  switch (command) {
    case Command::ToggleRectangle: Arm(session, ToolKind::Rectangle, true); break;
    case Command::ToggleEllipse: Arm(session, ToolKind::Ellipse, true); break;
    case Command::ToggleArrow: Arm(session, ToolKind::Arrow, true); break;
    case Command::ToggleBrush: Arm(session, ToolKind::Brush, true); break;
    case Command::ToggleText: Arm(session, ToolKind::Text, true); break;
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
