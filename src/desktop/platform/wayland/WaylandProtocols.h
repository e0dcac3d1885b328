#pragma once

namespace ts {

// Whether the compositor of $WAYLAND_DISPLAY offers both the virtual keyboard and the data
// control protocols (sway, Hyprland, other wlroots compositors), so the clipboard path works
// there. Asked once per process; a compositor that does not answer counts as no.
bool waylandOffersKeyboardAndClipboard();

}  // namespace ts
