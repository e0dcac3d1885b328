#pragma once

#include <QString>

namespace ts {

// Launch at login as the XDG autostart entry io.tessarine.Tessarine.desktop, whose Exec is the
// absolute path of the running tessarine. The file itself is the state: nothing is cached.
class LoginItem final {
public:
    enum class Status { enabled, notRegistered, notFound };

    // Empty arguments: $XDG_CONFIG_HOME/autostart and the running executable.
    explicit LoginItem(QString autostartFolder = {}, QString program = {});

    static QString defaultFolder();
    QString folder() const { return folder_; }
    QString entryPath() const;
    QString program() const { return program_; }

    Status status() const;
    bool isEnabled() const { return status() == Status::enabled; }
    // Writes (atomically) or removes the entry; the failure's description, or empty.
    QString setEnabled(bool enabled);
    // The entry's text for a program path.
    static QByteArray entryText(const QString& program);

private:
    QString folder_;
    QString program_;
};

}  // namespace ts
