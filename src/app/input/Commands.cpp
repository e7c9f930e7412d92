#include "app/input/Commands.h"

#include <shellapi.h>

#include "app/canvas/EmbeddedAssets.h"
#include "app/capture/CaptureSession.h"
#include "win/CommandLatch.h"
#include "app/pin/PinBoard.h"
#include "app/pin/PinWindow.h"
#include "app/pin/PinnedImage.h"
#include "app/render/Render.h"
#include "app/desktop/Desktop.h"
#include "gx/GxText.h"
#include "output/Clipboard.h"
#include "output/OutputImage.h"
#include "output/QuickSave.h"
#include "output/SaveCapture.h"
#include "app/input/SaveMenu.h"
#include "app/input/SavedNote.h"
#include "settings/CurrentSettings.h"
#include "settings/QuickSaveFolder.h"

namespace {

struct CodeCommand {
  int code;
  Command command;
};

constexpr CodeCommand kToolbarCommands[] = {
    {1, Command::ToggleRectangle}, {2, Command::ToggleEllipse}, {3, Command::ToggleArrow},
    {4, Command::ToggleBrush},     {5, Command::ToggleText},    {6, Command::Undo},
    {7, Command::Save},            {8, Command::QuickSave},     {9, Command::SaveMenu},
    {10, Command::Cancel},         {11, Command::Finish},
    {12, Command::ToggleLine},     {13, Command::ToggleHighlighter}, {14, Command::ToggleMosaic},
    {15, Command::ToggleBlur},     {16, Command::ToggleStepNumber},
};

constexpr CodeCommand kMenuCommands[] = {
    {1, Command::ArmRectangle}, {2, Command::ArmEllipse}, {3, Command::ArmArrow}, {4, Command::ArmBrush},
    {5, Command::ArmText},      {6, Command::Undo},       {7, Command::Reselect}, {8, Command::Finish},
    {9, Command::Save},         {10, Command::Pin},       {11, Command::HideTools}, {12, Command::Cancel},
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
  ReportClipboardFailure(session.Window(), ClipboardFailureReason(result));
}

void Save(CaptureSession& session, const std::string& startFolder = {}) {
  // The press that chose the command ends here: its release goes to the dialog, not to us.
  if (session.state.ButtonDown()) session.state.mode = modes::Selected{};
  session.subclass.ReleaseMouse();
  // While the dialog is open the overlay shows what is being saved, the annotations included.
  Render(session, std::nullopt);
  session.frame.Present();
  const OutputSource source = Output(session);
  const SaveOutcome outcome =
      SaveSelection(session.Window(), source, session.encodingAhead, [] { return CaptureOpen(); }, startFolder);
  if (!CaptureOpen()) return;  // the capture ended while the dialog or the message was up
  if (outcome == SaveOutcome::Saved) {
    EndCapture();
    return;
  }
  // A dismissed dialog or a failed write leaves the capture as it was, annotations, armed tool
  // and undo history included, for another try; a menu open when the save began (Ctrl+S) is closed.
  session.state.CloseMenu();
}

// The clipboard keeps what the user had there: a pin is for keeping a picture in view, and its
// menu copies it when that is wanted too.
void Pin(CaptureSession& session) {
  if (session.state.ButtonDown()) session.state.mode = modes::Selected{};
  const ScreenRect& selection = session.state.SelectionRect;
  std::unique_ptr<GxGraphics> image = PinnedImage(Output(session));
  PinWindow* pin = image ? Pins().Pin(std::move(image), POINT{selection.left, selection.top}) : nullptr;
  if (!pin) {
    // Nothing to pin, or no memory for it: the capture stays for another way out.
    if (session.state.SelectionRect.IsEmpty()) EndCapture();
    else ReportPinFailure(session.Window());
    return;
  }
  EndCapture();
  // Ending the capture gave the keyboard back to the main window; the new pin takes it.
  pin->Activate();
}

// No dialog: the file is named by the pattern, and a note names it once the capture has ended.
void QuickSave(CaptureSession& session) {
  if (session.state.ButtonDown()) session.state.mode = modes::Selected{};
  const Settings& settings = CurrentSettings();
  SYSTEMTIME now;
  GetLocalTime(&now);
  const OutputSource source = Output(session);
  const std::string path = QuickSaveSelection(source, settings, now);
  if (path.empty()) {
    // Nothing written: the capture stays for another way out.
    session.state.CloseMenu();
    ReportSaveFailure(session.Window(), QuickSaveFolder(settings));
    return;
  }
  if (settings.copyWhenSaving) CopySelectionToClipboard(session.Window(), source);
  EndCapture();
  ShowSavedNote(path);
}

void OpenSaveFolder() {
  const std::string folder = QuickSaveFolder(CurrentSettings());
  if (!folder.empty() && MakeFolder(folder))
    ShellExecuteW(nullptr, L"open", Utf8ToWide(folder).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ChooseFromSaveMenu(CaptureSession& session) {
  if (session.state.ButtonDown()) session.state.mode = modes::Selected{};
  session.subclass.ReleaseMouse();
  switch (ChooseSaveWay(session.Window(), CursorPosition())) {
    case SaveWay::Quick: QuickSave(session); break;
    case SaveWay::As: Save(session, QuickSaveFolder(CurrentSettings())); break;
    case SaveWay::OpenFolder: OpenSaveFolder(); break;
    case SaveWay::Pin: Pin(session); break;
    case SaveWay::Nothing: break;
  }
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
    case Command::Pin: Pin(session); break;
    case Command::QuickSave: QuickSave(session); break;
    case Command::SaveMenu: ChooseFromSaveMenu(session); break;
    case Command::SaveAs: Save(session, QuickSaveFolder(CurrentSettings())); break;
    case Command::OpenSaveFolder: OpenSaveFolder(); break;
    case Command::Cancel: EndCapture(); break;
  }
}

namespace {

void OnOpenCapture(Command command) {
  if (CaptureSession* session = CurrentSession()) {
    Execute(*session, command);
    if (CaptureSession* still = CurrentSession()) {
      Render(*still, still->CursorOnCanvas());
      still->frame.Present();
    }
  }
}

}  // namespace

void FinishCapture() { OnOpenCapture(Command::Finish); }
void SaveCapture() { OnOpenCapture(Command::Save); }
void PinCapture() { OnOpenCapture(Command::Pin); }
void CancelCapture() { OnOpenCapture(Command::Cancel); }
void ResetCapture() { OnOpenCapture(Command::Reset); }
void ReselectCapture() { OnOpenCapture(Command::Reselect); }
