#include "desktop/hotkeys/WaylandHotkeys.h"

#include <QTimer>

#include "desktop/DesktopLogging.h"
#include "desktop/hotkeys/GnomeShortcuts.h"
#include "desktop/hotkeys/HotKeyManager.h"
#include "desktop/hotkeys/KdeGlobalAccel.h"
#include "desktop/hotkeys/MacKeyTable.h"
#include "desktop/hotkeys/PortalShortcuts.h"

namespace ts {

namespace {

Shortcut shortcutOf(const KeyChord& chord) {
    Shortcut out;
    for (const MacKey& key : macKeys()) {
        if (key.keysym == chord.keysym) {
            out.keyCode = key.code;
        }
    }
    const Modifiers held = chord.modifiers;
    out.modifiers |= held.testFlag(Modifier::control) ? kCarbonCommand : 0;
    out.modifiers |= held.testFlag(Modifier::alt) ? kCarbonOption : 0;
    out.modifiers |= held.testFlag(Modifier::super) ? kCarbonControl : 0;
    out.modifiers |= held.testFlag(Modifier::shift) ? kCarbonShift : 0;
    return out;
}

GnomeShortcuts::Entry entryOf(quint32 id) {
    return id == kWindowHotKeyId ? GnomeShortcuts::Entry::window : GnomeShortcuts::Entry::inPlace;
}

}  // namespace

WaylandHotkeys::WaylandHotkeys(DesktopSession session, DoorProbe probe, QString program,
                               QObject* parent)
    : GlobalKeyGrabber(parent),
      session_(std::move(session)),
      probe_(probe),
      program_(std::move(program)),
      mechanism_(chooseMechanism(session_, probe_)) {
    qCInfo(lcHotkeys, "Wayland session on %s: hotkeys through %s",
           session_.desktop.isEmpty() ? "an unnamed desktop" : qUtf8Printable(session_.desktop),
           qUtf8Printable(mechanismName(mechanism_)));
}

WaylandHotkeys::~WaylandHotkeys() = default;

QString WaylandHotkeys::commandFor(quint32 id) const {
    return program_ + QLatin1Char(' ') +
           QLatin1String(id == kWindowHotKeyId ? kToggleOption : kInPlaceOption);
}

bool WaylandHotkeys::grab(quint32 id, const KeyChord& chord) {
    held_.insert(id, chord);
    const Shortcut shortcut = shortcutOf(chord);
    switch (mechanism_) {
        case HotkeyMechanism::portal:
            // Both grabs come one after the other: one BindShortcuts for the pair.
            if (!portalPending_) {
                portalPending_ = true;
                QTimer::singleShot(0, this, &WaylandHotkeys::bindPortal);
            }
            return true;
        case HotkeyMechanism::kglobalaccel:
            if (kde_ == nullptr) {
                kde_ = new KdeGlobalAccel(this);
                connect(kde_, &KdeGlobalAccel::pressed, this, &GlobalKeyGrabber::activated);
            }
            return kde_->bind(id, shortcut);
        case HotkeyMechanism::gnomeCustom: {
            QString holder;
            const GnomeShortcuts::Outcome outcome =
                GnomeShortcuts::install(entryOf(id), shortcut, commandFor(id), &holder);
            return outcome == GnomeShortcuts::Outcome::set;
        }
        case HotkeyMechanism::compositorConfig:
            // Whether the user added the line cannot be known; the shortcut tab shows it.
            return true;
        case HotkeyMechanism::x11Grab:
        case HotkeyMechanism::none:
            break;
    }
    return false;
}

void WaylandHotkeys::ungrab(quint32 id) {
    if (held_.remove(id) == 0) {
        return;
    }
    switch (mechanism_) {
        case HotkeyMechanism::portal:
            if (!keep_ && !portalPending_) {
                portalPending_ = true;
                QTimer::singleShot(0, this, &WaylandHotkeys::bindPortal);
            }
            break;
        case HotkeyMechanism::kglobalaccel:
            if (kde_ != nullptr) {
                keep_ ? kde_->deactivate(id) : kde_->unbind(id);
            }
            break;
        case HotkeyMechanism::gnomeCustom:
            if (!keep_) {
                GnomeShortcuts::remove(entryOf(id));
            }
            break;
        case HotkeyMechanism::compositorConfig:
        case HotkeyMechanism::x11Grab:
        case HotkeyMechanism::none:
            break;
    }
}

void WaylandHotkeys::bindPortal() {
    portalPending_ = false;
    if (mechanism_ != HotkeyMechanism::portal) {
        return;
    }
    if (portal_ == nullptr) {
        portal_ = new PortalShortcuts(this);
        connect(portal_, &PortalShortcuts::pressed, this, &GlobalKeyGrabber::activated);
        connect(portal_, &PortalShortcuts::refused, this, &WaylandHotkeys::portalRefused);
        connect(portal_, &PortalShortcuts::bound, this,
                [] { qCInfo(lcHotkeys, "the GlobalShortcuts portal bound our shortcuts"); });
    }
    QMap<quint32, Shortcut> wanted;
    for (auto it = held_.constBegin(); it != held_.constEnd(); ++it) {
        wanted.insert(it.key(), shortcutOf(it.value()));
    }
    portal_->bind(wanted);
}

void WaylandHotkeys::portalRefused(const QString& why) {
    if (mechanism_ != HotkeyMechanism::portal) {
        return;
    }
    mechanism_ = chooseMechanism(session_, probe_, true);
    qCInfo(lcHotkeys, "GlobalShortcuts portal: %s; hotkeys through %s instead", qUtf8Printable(why),
           qUtf8Printable(mechanismName(mechanism_)));
    // The owner registers both again, now through the new door.
    emit mechanismChanged();
}

QStringList WaylandHotkeys::configLines() const {
    if (mechanism_ != HotkeyMechanism::compositorConfig) {
        return {};
    }
    const auto window = held_.constFind(kWindowHotKeyId);
    const auto inPlace = held_.constFind(kInPlaceHotKeyId);
    return compositorConfigLines(
        session_.compositor,
        window == held_.constEnd() ? kDefaultWindowShortcut : shortcutOf(*window),
        inPlace == held_.constEnd() ? std::nullopt : std::optional(shortcutOf(*inPlace)), program_);
}

}  // namespace ts
