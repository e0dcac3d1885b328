#include "desktop/platform/fake/FakePlatform.h"

#include "desktop/platform/ClipboardChords.h"

namespace ts {

void FakeClipboard::restore(const ClipboardSnapshot& snapshot) {
    setContents(snapshot);
}

void FakeClipboard::clear() {
    setContents({});
}

void FakeClipboard::setText(const QString& text, bool secretHint) {
    ClipboardSnapshot contents{{QStringLiteral("text/plain"), text.toUtf8()}};
    if (secretHint) {
        contents.append({QString::fromLatin1(kPasswordManagerHintFormat), "secret"});
    }
    setContents(contents);
    ownText_ = true;
}

void FakeClipboard::readText() {
    if (ownText_) {
        ++textReads_;
    }
}

std::optional<QString> FakeClipboard::text() const {
    for (const ClipboardFormat& item : contents_) {
        if (item.format == QLatin1String("text/plain")) {
            return QString::fromUtf8(item.data);
        }
    }
    return std::nullopt;
}

void FakeClipboard::setContents(const ClipboardSnapshot& contents) {
    contents_ = contents;
    ownText_ = false;
    ++changeCount_;
    emit changed();
}

bool FakeKeySynthesizer::send(const KeyChord& chord) {
    sent.append(chord);
    if (succeeds && onSend) {
        onSend(chord);
    }
    return succeeds;
}

bool FakeFrontmostApp::activateWindow(quint64 windowId) {
    for (const AppInfo& app : knownApps) {
        if (app.windowId == windowId) {
            setCurrent(app);
            return true;
        }
    }
    return false;
}

bool FakeFrontmostApp::activate(qint64 pid) {
    activated.append(pid);
    for (const AppInfo& app : knownApps) {
        if (app.pid == pid) {
            setCurrent(app);
            return true;
        }
    }
    return false;
}

void FakeFrontmostApp::setCurrent(std::optional<AppInfo> app) {
    app_ = std::move(app);
    emit changed();
}

bool FakeKeyGrabber::grab(quint32 id, const KeyChord& chord) {
    grabs.remove(id);
    if (refused.contains(chord)) {
        return false;
    }
    grabs.insert(id, chord);
    return true;
}

void FakeKeyGrabber::press(const KeyChord& chord) {
    const auto ids = grabs.keys(chord);
    for (quint32 id : ids) {
        emit activated(id);
    }
}

void FakePlatform::copyProduces(const QString& text) {
    keys.onSend = [this, text](const KeyChord& chord) {
        if (chord.keysym == kKeysymC) {
            clipboard.setContents({{QStringLiteral("text/plain"), text.toUtf8()}});
        } else if (chord.keysym == kKeysymV) {
            clipboard.readText();
        }
    };
}

}  // namespace ts
