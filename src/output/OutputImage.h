#pragma once
// What finishing and saving hand out, composed in one place.

#include "gx/GxTypes.h"

// The selection of the frozen screen with its annotations over it, exactly as the overlay shows
// them there, and nothing else the overlay draws (dimming, frame, handles, label, toolbars, menu,
// magnifier). A text box still open is kept first. Paints the canvas so (the frozen screen
// elsewhere) and returns it as a BMP file of the whole screen, for the caller to cut the
// selection from; without annotations these are the bytes of the frozen screen alone.
Bytes ComposeOutput();
