#pragma once

namespace ts {

// Which way the pointer went during a text drag, on screen (top left origin).
enum class DragDirection { downward, upward };

}  // namespace ts
