#pragma once
// The commands that decorate or clean the whole sheet: "&Logo and Frame" and
// "Delete &All Point-marks". Each changes the document only through its
// ordinary add and remove paths, all in the one function.

#include <string>

namespace gyr {

class CGestureState;

// The logo text of the frame.
extern const char* const kLogoText;  // "Drawn with Gyrovant"

// Adds, in this order: the screen rectangle from the sheet's top-left moved
// 45 pixels right and down to its bottom-right moved 30 pixels left and up;
// the logo box (size 10) from 150 pixels left of the frame's right edge and
// 2 below its bottom edge to that edge, 20 pixels high; the title box (size
// 10) from 45 pixels from the sheet's left edge on the same line to 10
// pixels before the logo box; the segment along the frame's side P2 P3. All
// take the document's attributes. False without a document.
bool AddLogoAndFrame(CGestureState& state);

// Removes every point of the document (and from every selection). The
// number of points removed; with none, only a beep.
int DeleteAllPointMarksCommand(CGestureState& state);

}  // namespace gyr
