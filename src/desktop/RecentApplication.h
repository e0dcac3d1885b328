#pragma once

#include <QObject>
#include <QString>

namespace ts {

class FrontmostApp;

// The last application other than this one that held the active window: what the user worked
// in before opening Tessarine's own windows.
class RecentApplication final : public QObject {
    Q_OBJECT
public:
    RecentApplication(FrontmostApp& frontmost, qint64 ownPid, QObject* parent = nullptr);

    // Its window class (its name when it has none); empty before any.
    QString name() const { return name_; }

private:
    void note();

    FrontmostApp& frontmost_;
    qint64 ownPid_;
    QString name_;
};

}  // namespace ts
