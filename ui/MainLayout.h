#pragma once
// Where the main dialog places its command strip, in client pixels: the room the strip
// keeps below the panes, and its separator, status line, progress bar and buttons. The
// layout code, the source pane's size limit and the layout's tests read these numbers.

// The strip's height: the panes end this far above the client area's bottom edge.
constexpr int kStripHeight = 61;
// Distances of the separator line, the status line and the button row above the bottom.
constexpr int kSeparatorRise = 60;
constexpr int kStatusRise = 54;
constexpr int kButtonRowRise = 30;
// Left edges: the status line, the progress bar and New start at kStripLeft.
constexpr int kStripLeft = 10;
constexpr int kOpenButtonLeft = 105;
constexpr int kSaveButtonLeft = 200;
// Distances of Start and of Exit (and of Abort, in Exit's place) from the right edge; the
// status line and the progress bar end where Exit begins.
constexpr int kStartButtonFromRight = 195;
constexpr int kExitButtonFromRight = 100;
// Every button of the strip, Abort included.
constexpr int kButtonWidth = 95;
constexpr int kButtonHeight = 25;
constexpr int kStatusHeight = 18;
constexpr int kProgressHeight = 25;
// The gap between the exclusion list and the panes, the right edge and the strip.
constexpr int kListMargin = 5;
