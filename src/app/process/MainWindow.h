#pragma once
// The small start window: a picture and the button that starts a capture.

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
  HWND startButton_ = nullptr;
  HFONT buttonFont_ = nullptr;
  PictureBox picture_;
};

// The process's main window (made by the program entry).
MainWindow& TheMainWindow();
