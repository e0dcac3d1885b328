#pragma once

#include <QObject>
#include <QString>

#include "desktop/hotkeys/Shortcut.h"

namespace ts {

// Our two shortcuts in KDE's global shortcut service (org.kde.kglobalaccel): it holds the keys
// for us and signals each press to our component.
class KdeGlobalAccel final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kComponent = "io.tessarine.Tessarine";
    static constexpr const char* kWindowAction = "toggle-window";
    static constexpr const char* kInPlaceAction = "rewrite-in-place";

    explicit KdeGlobalAccel(QObject* parent = nullptr);

    static bool available();
    // Registers the action of hotkey `id` (kWindowHotKeyId or kInPlaceHotKeyId) with these keys.
    // False when KDE gave the keys to another shortcut (it then assigns none to ours).
    bool bind(quint32 id, const Shortcut& shortcut);
    // Forgets the action: KDE's settings no longer list it.
    void unbind(quint32 id);
    // Lets the keys go while we are not running; KDE keeps the registration.
    void deactivate(quint32 id);
    // The keys KDE holds for the action now, as Qt key combinations.
    static QList<int> boundKeys(quint32 id);

signals:
    void pressed(quint32 id);

private slots:
    void onPressed(const QString& component, const QString& action, qlonglong timestamp);

private:
    bool listening_ = false;
};

}  // namespace ts
