#pragma once

class QWindow;

namespace ts {

// Keeps a floating panel on every workspace, so a toast raised while the user switched
// workspaces is still seen. Call before the window is first shown; does nothing off X11.
void showOnAllWorkspaces(QWindow* window);

// Whether translucent windows are blended: on X11 only while a compositing manager owns the
// _NET_WM_CM_S<screen> selection (without one, clear pixels show black); always elsewhere.
bool hasCompositingManager();

}  // namespace ts
