#pragma once
// The small start window: a picture and the button that starts a capture. It lives as long as
// the program, so it also owns the tray icon and answers for the program (the hot key, a second
// start, the clipboard's formats rendered on demand).

#include "app/process/TrayIcon.h"
#include "app/process/TrayMenu.h"
#include "win/Form.h"
#include "win/PictureBox.h"

class MainWindow : public Form {
 public:
  static constexpr int kStartButtonId = 1001;

  MainWindow();
  HWND StartButton() const { return startButton_; }
  const PictureBox& Picture() const { return picture_; }
  // Shown, enabled and in front again.
  void ComeBack();

 protected:
  void OnLoad() override;
  void OnCommand(int controlId) override;
  void OnClosed() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void OnTrayMessage(LPARAM mouseMessage);
  void Choose(TrayChoice choice);
  void OpenSettings();

  HWND startButton_ = nullptr;
  HFONT buttonFont_ = nullptr;
  PictureBox picture_;
  TrayIcon tray_;
};

// The process's main window (made by the program entry).
MainWindow& TheMainWindow();
