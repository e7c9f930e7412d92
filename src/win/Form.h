#pragma once
// The small window layer: a form is a top-level window with the properties the program sets
// (left, top, width, height, visible, mouse pointer), loaded modally or not and closed.

#include <windows.h>

#include <string>
#include <vector>

struct FormDesign {
  const char* className;
  std::string caption;
  int left = CW_USEDEFAULT, top = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = 0;
  UINT classStyle = 0;
  HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
};

class Form {
 public:
  explicit Form(FormDesign design);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the window, runs OnLoad while it is still hidden, then shows it. A modal load
  // disables the other windows of the thread and returns only when this form has closed.
  bool Load(bool modal = false);
  // Creates the window and runs OnLoad, leaving it hidden (a program started into the tray).
  bool LoadHidden();
  void Close();
  bool IsLoaded() const { return window_ != nullptr; }
  HWND Handle() const { return window_; }

  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);
  bool Visible() const;
  void SetVisible(bool visible);
  HCURSOR MousePointer() const { return mousePointer_; }
  void SetMousePointer(HCURSOR cursor);
  std::string Caption() const;

 protected:
  virtual void OnLoad() {}
  virtual void OnCommand(int /*controlId*/) {}
  virtual void OnPaint(HDC /*dc*/) {}
  virtual void OnClosed() {}
  // Something thrown while the form handled a message (nothing may cross into the system's
  // code): by default the user is told.
  virtual void OnUnexpectedFailure(const std::string& what);
  // Messages a form wants to see before the default handling; return true when handled.
  virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
    return false;
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  bool RegisterClassOnce() const;
  bool Create();
  void Move(int left, int top, int width, int height);
  void RunModalLoop();
  void EnableDisabledWindows();

  FormDesign design_;
  HWND window_ = nullptr;
  HCURSOR mousePointer_ = nullptr;
  bool modal_ = false;
  std::vector<HWND> disabled_;  // by a modal load, until the form closes
};

// Runs the thread's message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();
// Dispatches the messages already waiting, stopping before a WM_QUIT (which stays queued).
void PumpPendingMessages();
