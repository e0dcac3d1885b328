#pragma once

#include <QString>
#include <optional>
#include <span>

namespace ts {

// One key of the stored-shortcut encoding: the mac virtual key code, the name shown for it,
// and the X keysym it stands for on the US layout.
struct MacKey {
    quint32 code;
    const char* name;  // UTF-8
    quint32 keysym;
};

// The 68 keys a shortcut may use.
std::span<const MacKey> macKeys();
std::optional<MacKey> macKey(quint32 code);
// The mac key code for a Qt key (shifted symbols count as their unshifted key: "!" is "1").
std::optional<quint32> macKeyCodeForQtKey(int qtKey);

}  // namespace ts
