#pragma once

// The frame a mouse move shows while a selection exists and no button is held: the selection
// with its annotations, the toolbar highlighting the button under the cursor, or the open menu
// highlighting its row.
void RedrawOverlay();
