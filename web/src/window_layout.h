// The page draws both windows from the rules' drawing (window_layout.h): the boxes in twips,
// the tab order, which control lies above which, the colours and the key box's font are written
// into the page once, before it is laid out; the page scales and places them itself.
#pragma once

namespace schnackomat::web {

// Gives the page both windows' client areas and controls, the overlaps, the colours and the key
// box's font.
void ShowWindowLayout();

}  // namespace schnackomat::web
