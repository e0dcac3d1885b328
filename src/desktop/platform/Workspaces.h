#pragma once

class QWindow;

namespace ts {

// Keeps a floating panel on every workspace, so a toast raised while the user switched
// workspaces is still seen. Call before the window is first shown; does nothing off X11.
void showOnAllWorkspaces(QWindow* window);

}  // namespace ts
