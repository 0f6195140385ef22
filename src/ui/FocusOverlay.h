#pragma once
// The focus frame for controls whose own style draws too faint a one (the
// position slider, the library's tree and file list, the playlist): a
// transparent layer over the control that draws the frame of FocusFrame.h
// while the control has the focus. GUI thread only.

class QWidget;

namespace tonlira {

// One call per control; the layer lives as long as the control.
void addFocusOverlay(QWidget* control);

}  // namespace tonlira
