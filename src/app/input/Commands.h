#pragma once
// Every command of the overlay in one table: the toolbar's buttons, the context menu's rows and
// the keys all map to a Command, and Execute carries it out on the session. A command changes
// the session's state (or ends the capture); it draws nothing: the window procedure renders the
// frame afterwards.

#include <windows.h>

#include <optional>

class CaptureSession;

enum class Command {
  ToggleRectangle, ToggleEllipse, ToggleArrow, ToggleBrush, ToggleText,  // arm, or disarm when armed
  ToggleLine, ToggleHighlighter, ToggleMosaic, ToggleBlur, ToggleStepNumber,
  ArmRectangle, ArmEllipse, ArmArrow, ArmBrush, ArmText,                 // arm, staying armed
  Undo,
  Redo,
  HideTools,  // hides the toolbars, or shows them again
  Reselect,   // drops the selection; the release of the click that chose it is ignored
  Reset,      // drops the selection, its annotations and every interaction state
  Finish,     // the selection to the clipboard, and the capture ends
  Save,       // the selection to a file, and the capture ends
  Pin,        // the selection floats on the screen where it was, and the capture ends
  QuickSave,  // the selection to the quick-save folder with no dialog, and the capture ends
  SaveMenu,   // the quick-save button's drop-down: quick save, save as, open the folder
  SaveAs,     // Save, the dialog starting in the quick-save folder
  OpenSaveFolder,  // shows the quick-save folder; the capture stays
  Cancel,     // the capture ends
};

// The commands of the toolbar's buttons (1 to 11, the tools box's 12 to 16) and of the menu's
// rows (1 to 12), by their codes; none for a code without one.
std::optional<Command> ToolbarCommand(int code);
std::optional<Command> MenuCommand(int row);

// The command of a tool's key (R E A L P H T M B N), typed with no Ctrl or Alt.
std::optional<Command> ToolKeyCommand(WPARAM key);

// Carries out the command. Finish, Save (once written), Pin and Cancel end the capture: the session
// is gone when Execute returns, and CaptureOpen() says so.
void Execute(CaptureSession& session, Command command);

// The commands on the open capture, for whoever holds no session (tests, the bench).
void FinishCapture();
void SaveCapture();
void PinCapture();
void CancelCapture();
void ResetCapture();
void ReselectCapture();
