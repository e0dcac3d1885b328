#pragma once

#include <QDBusObjectPath>
#include <QMap>
#include <QObject>
#include <QString>

#include "desktop/hotkeys/Shortcut.h"

namespace ts {

// Our shortcuts through the GlobalShortcuts desktop portal (GNOME 48 and later, Hyprland, KDE
// for programs with an application id). The portal answers later, and may ask the user first:
// bind() only asks, then either bound() or refused() follows.
class PortalShortcuts final : public QObject {
    Q_OBJECT
public:
    explicit PortalShortcuts(QObject* parent = nullptr);
    ~PortalShortcuts() override;

    // Binds exactly these shortcuts (by hotkey id) in a fresh portal session; an empty map
    // closes the session.
    void bind(const QMap<quint32, Shortcut>& shortcuts);

signals:
    void bound();
    // The portal bound nothing (no application id, the user said no, an error): `why` is for
    // the log.
    void refused(const QString& why);
    void pressed(quint32 id);

private slots:
    void onResponse(uint code, const QVariantMap& results);
    void onActivated(const QDBusObjectPath& session, const QString& shortcut, qulonglong timestamp,
                     const QVariantMap& options);

private:
    void closeSession();
    bool request(const QString& method, const QVariantList& arguments, const QString& token);
    void sendBind();

    enum class Step { idle, creating, binding } step_ = Step::idle;
    QString session_;
    QString requestPath_;
    QMap<quint32, Shortcut> wanted_;
    int serial_ = 0;
};

}  // namespace ts
