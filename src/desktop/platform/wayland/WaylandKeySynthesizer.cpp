#include "desktop/platform/wayland/WaylandKeySynthesizer.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <ctime>

#include "desktop/DesktopLogging.h"
#include "desktop/platform/wayland/WaylandConnection.h"
#include "desktop/platform/wayland/XkbKeymap.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

namespace ts {

namespace {

quint32 nowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<quint32>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

// The keymap travels as a file the compositor maps.
int keymapFile(const QByteArray& text) {
    const int fd = memfd_create("tessarine-keymap", MFD_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    qsizetype written = 0;
    while (written < text.size()) {
        const ssize_t n =
            ::write(fd, text.constData() + written, static_cast<size_t>(text.size() - written));
        if (n <= 0) {
            ::close(fd);
            return -1;
        }
        written += n;
    }
    return fd;
}

}  // namespace

WaylandKeySynthesizer::WaylandKeySynthesizer(WaylandConnection& connection)
    : connection_(connection), keymap_(XkbKeymap::fromEnvironment()) {
    if (!keymap_) {
        qCWarning(lcKeys, "xkbcommon could not compile the keymap: no keys can be sent");
        return;
    }
    if (connection_.virtualKeyboardManager() == nullptr || connection_.seat() == nullptr) {
        return;
    }
    const QByteArray text = keymap_->text();
    const int fd = keymapFile(text);
    if (fd < 0) {
        qCWarning(lcKeys, "the keymap could not be written for the virtual keyboard");
        return;
    }
    keyboard_ = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(
        connection_.virtualKeyboardManager(), connection_.seat());
    zwp_virtual_keyboard_v1_keymap(keyboard_, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                   static_cast<quint32>(text.size()));
    ::close(fd);
    connection_.roundtrip();
}

WaylandKeySynthesizer::~WaylandKeySynthesizer() {
    if (keyboard_ != nullptr) {
        zwp_virtual_keyboard_v1_destroy(keyboard_);
        connection_.flush();
    }
}

bool WaylandKeySynthesizer::send(const KeyChord& chord) {
    if (keyboard_ == nullptr || connection_.broken()) {
        qCWarning(lcKeys, "no virtual keyboard: %s not sent", qPrintable(describe(chord)));
        return false;
    }
    const std::optional<KeyPlacement> key = keymap_->place(chord);
    if (!key) {
        qCWarning(lcKeys, "no key produces %s", qPrintable(describe(chord)));
        return false;
    }
    // The modifiers go as state, not as key presses: the state is what clients see, and there
    // is no modifier key left pressed if the compositor goes away mid-chord.
    const quint32 time = nowMs();
    zwp_virtual_keyboard_v1_modifiers(keyboard_, key->modifierMask, 0, 0, key->layout);
    zwp_virtual_keyboard_v1_key(keyboard_, time, key->evdevKey, WL_KEYBOARD_KEY_STATE_PRESSED);
    zwp_virtual_keyboard_v1_key(keyboard_, time, key->evdevKey, WL_KEYBOARD_KEY_STATE_RELEASED);
    zwp_virtual_keyboard_v1_modifiers(keyboard_, 0, 0, 0, 0);
    connection_.roundtrip();
    return !connection_.broken();
}

}  // namespace ts
