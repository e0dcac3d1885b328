#pragma once

#include <QHash>
#include <QList>
#include <functional>

#include "desktop/platform/AccessibleSelection.h"
#include "desktop/platform/InputMonitor.h"
#include "desktop/platform/Platform.h"
#include "desktop/platform/PrimarySelection.h"
#include "desktop/platform/ScreenGeometry.h"

namespace ts {

class FakeClipboard final : public Clipboard {
    Q_OBJECT
public:
    using Clipboard::Clipboard;

    ClipboardSnapshot snapshot() const override { return contents_; }
    void restore(const ClipboardSnapshot& snapshot) override;
    void clear() override;
    void setText(const QString& text, bool secretHint) override;
    std::optional<QString> text() const override;
    quint64 changeCount() const override { return changeCount_; }
    quint64 textReads() const override { return textReads_; }

    // As if another program put these formats on the clipboard.
    void setContents(const ClipboardSnapshot& contents);
    // As if another program pasted: a read of text set by setText counts.
    void readText();

private:
    ClipboardSnapshot contents_;
    quint64 changeCount_ = 0;
    quint64 textReads_ = 0;
    bool ownText_ = false;
};

// Records every chord; a test decides what a chord does to the desktop through onSend.
class FakeKeySynthesizer final : public KeySynthesizer {
public:
    bool send(const KeyChord& chord) override;

    QList<KeyChord> sent;
    bool succeeds = true;
    std::function<void(const KeyChord&)> onSend;
};

class FakeModifierState final : public ModifierState {
public:
    Modifiers heldModifiers() const override { return held; }
    Modifiers held;
};

class FakeFrontmostApp final : public FrontmostApp {
    Q_OBJECT
public:
    using FrontmostApp::FrontmostApp;

    std::optional<AppInfo> current() const override { return app_; }
    bool activate(qint64 pid) override;
    bool activateWindow(quint64 windowId) override;

    void setCurrent(std::optional<AppInfo> app);
    QList<qint64> activated;
    QList<AppInfo> knownApps;

private:
    std::optional<AppInfo> app_;
};

class FakeKeyGrabber final : public GlobalKeyGrabber {
    Q_OBJECT
public:
    using GlobalKeyGrabber::GlobalKeyGrabber;

    bool grab(quint32 id, const KeyChord& chord) override;
    void ungrab(quint32 id) override { grabs.remove(id); }

    // As if the user pressed the chord: every id holding it fires.
    void press(const KeyChord& chord);

    QHash<quint32, KeyChord> grabs;
    QList<KeyChord> refused;  // chords "another program" holds
};

class FakeDesktopControl final : public DesktopControl {
public:
    bool available() const override { return isAvailable; }
    bool copyPaste() const override { return isAvailable && keys; }
    bool prefersCopyPaste() const override { return preferCopyPaste; }
    bool isAvailable = true;
    bool keys = true;
    bool preferCopyPaste = true;
};

class FakePrimarySelection final : public PrimarySelection {
    Q_OBJECT
public:
    using PrimarySelection::PrimarySelection;

    std::optional<QString> selectedText(qint64 pid) const override {
        return pid == ownerPid ? text : std::nullopt;
    }
    // As if process pid selected text (nothing = it gave the selection up).
    void select(qint64 pid, std::optional<QString> selected) {
        ownerPid = pid;
        text = std::move(selected);
        emit changed();
    }

    qint64 ownerPid = 0;
    std::optional<QString> text;
};

// Emits each kind only while it is held, as the real one delivers events only then.
class FakeInputMonitor final : public InputMonitor {
    Q_OBJECT
public:
    using InputMonitor::InputMonitor;

    void acquire(InputKinds kinds) override { held.add(kinds); }
    void release(InputKinds kinds) override { held.remove(kinds); }

    void press(Qt::MouseButton button, QPoint pos) {
        if (held.holds(InputKind::buttons))
            emit mousePressed(button, pos);
    }
    void releaseButton(Qt::MouseButton button, QPoint pos) {
        if (held.holds(InputKind::buttons))
            emit mouseReleased(button, pos);
    }
    void key() {
        if (held.holds(InputKind::keys))
            emit keyPressed();
    }
    void scroll() {
        if (held.holds(InputKind::scroll))
            emit scrolled();
    }
    int holders(InputKind kind) const { return held.count(kind); }

    InputHolders held;
};

class FakeScreenGeometry final : public ScreenGeometry {
public:
    QPoint pointer() const override { return pointerPos; }
    QList<ScreenArea> screens() const override { return areas; }

    QPoint pointerPos;
    // One 1280 x 800 screen with a 30 px panel on top.
    QList<ScreenArea> areas{{QRect(0, 0, 1280, 800), QRect(0, 30, 1280, 770)}};
};

class FakeAccessibleSelection final : public AccessibleSelection {
public:
    bool available() const override { return isAvailable; }
    std::optional<FocusedSelection> focusedSelection(qint64 pid) const override {
        const auto found = byPid.constFind(pid);
        return found == byPid.cend() ? std::nullopt : std::optional(*found);
    }

    bool isAvailable = true;
    QHash<qint64, FocusedSelection> byPid;
};

// Serves one selection; replace() does what `answer` says and records the text it was given.
class FakeFocusedText final : public FocusedText {
public:
    bool available() const override { return isAvailable; }
    std::optional<TextSelection> selection() override { return current; }
    Replaced replace(const TextSelection& from, const QString& text) override {
        replacedWith.append(text);
        if (answer == Replaced::replaced && current && current->element == from.element) {
            current->text = text;
        }
        return answer;
    }

    bool isAvailable = false;
    std::optional<TextSelection> current;
    Replaced answer = Replaced::replaced;
    QStringList replacedWith;
};

// A whole in-memory desktop for unit tests of the logic above the platform.
struct FakePlatform {
    FakeClipboard clipboard;
    FakeKeySynthesizer keys;
    FakeModifierState modifiers;
    FakeFrontmostApp frontmost;
    FakeKeyGrabber keyGrabber;
    FakeDesktopControl desktopControl;
    FakePrimarySelection primary;
    FakeInputMonitor input;
    FakeScreenGeometry screens;
    FakeAccessibleSelection accessible;
    FakeFocusedText focusedText;

    Platform platform() {
        return Platform{clipboard, keys,  modifiers, frontmost,  keyGrabber, desktopControl,
                        primary,   input, screens,   accessible, focusedText};
    }
    // Makes the next chord act like a copy in the frontmost app: the clipboard gets text.
    void copyProduces(const QString& text);
};

}  // namespace ts
