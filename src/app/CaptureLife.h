#pragma once
// One capture's life: the overlay's opening starts it and exactly one ending (finish, save,
// cancel, the system's close) ends it. Both run ForgetCapture, so whatever one capture knew is
// gone before the next begins.

// The interaction state, the annotations, the redraw bookkeeping, the decoded images and the
// noted windows, all back to nothing.
void ForgetCapture();
// True from the overlay's opening until its ending has closed it.
bool CaptureOpen();
