#include "desktop/platform/x11/X11Platform.h"

#include <QLoggingCategory>

#include "desktop/hotkeys/DesktopSession.h"
#include "desktop/platform/QtScreenGeometry.h"
#include "desktop/platform/atspi/AtspiBus.h"
#include "desktop/platform/atspi/AtspiFocusedText.h"
#include "desktop/platform/atspi/AtspiSelection.h"
#include "desktop/platform/wayland/WaylandClipboard.h"
#include "desktop/platform/wayland/WaylandFallback.h"
#include "desktop/platform/wayland/WaylandKeySynthesizer.h"
#include "desktop/platform/x11/X11Clipboard.h"
#include "desktop/platform/x11/X11DesktopControl.h"
#include "desktop/platform/x11/X11FrontmostApp.h"
#include "desktop/platform/x11/X11InputMonitor.h"
#include "desktop/platform/x11/X11KeyGrabber.h"
#include "desktop/platform/x11/X11KeySynthesizer.h"
#include "desktop/platform/x11/X11ModifierState.h"
#include "desktop/platform/x11/X11PrimarySelection.h"

namespace ts {

namespace {

Q_LOGGING_CATEGORY(lcPlatform, "tessarine.desktop")

class WaylandDesktopControl final : public DesktopControl {
public:
    WaylandDesktopControl(AtspiBus& bus, bool keys) : bus_(bus), keys_(keys) {}
    bool available() const override { return keys_ || bus_.start(); }
    bool copyPaste() const override { return keys_; }
    bool prefersCopyPaste() const override { return false; }

private:
    AtspiBus& bus_;
    bool keys_;
};

// A Wayland client is not told which window of another client is active.
class UnknownFrontmost final : public FrontmostApp {
public:
    std::optional<AppInfo> current() const override { return std::nullopt; }
    bool activate(qint64) override { return false; }
    bool activateWindow(quint64) override { return false; }
};

}  // namespace

X11Platform::X11Platform()
    : atspi_(std::make_unique<AtspiBus>()),
      keys_(std::make_unique<X11KeySynthesizer>()),
      modifiers_(std::make_unique<X11ModifierState>()),
      keyGrabber_(std::make_unique<X11KeyGrabber>()),
      primary_(std::make_unique<X11PrimarySelection>()),
      input_(std::make_unique<X11InputMonitor>()),
      screens_(std::make_unique<QtScreenGeometry>()),
      accessible_(std::make_unique<AtspiSelection>(*atspi_)),
      focusedText_(std::make_unique<AtspiFocusedText>(*atspi_)) {
    clipboard_ = std::make_unique<X11Clipboard>();
    if (detectSession().type != SessionType::wayland) {
        frontmost_ = std::make_unique<X11FrontmostApp>();
        desktopControl_ = std::make_unique<X11DesktopControl>();
        return;
    }
    QString whyNot;
    wayland_ = WaylandFallback::create(&whyNot);
    if (!wayland_) {
        qCInfo(lcPlatform, "no copy and paste into other applications: %s", qUtf8Printable(whyNot));
    }
    // Follow the focus from the start: the first in-place rewrite needs to know it.
    if (!atspi_->start()) {
        qCInfo(lcPlatform, "no accessibility bus: selected text cannot be read through it");
    }
    frontmost_ = std::make_unique<UnknownFrontmost>();
    desktopControl_ = std::make_unique<WaylandDesktopControl>(*atspi_, wayland_ != nullptr);
}

X11Platform::~X11Platform() = default;

Platform X11Platform::platform() {
    Clipboard& clipboard = wayland_ ? static_cast<Clipboard&>(wayland_->clipboard()) : *clipboard_;
    KeySynthesizer& keys = wayland_ ? static_cast<KeySynthesizer&>(wayland_->keys()) : *keys_;
    return Platform{clipboard, keys,    *modifiers_, *frontmost_,  *keyGrabber_, *desktopControl_,
                    *primary_, *input_, *screens_,   *accessible_, *focusedText_};
}

}  // namespace ts
