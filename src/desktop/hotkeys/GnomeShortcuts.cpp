#include "desktop/hotkeys/GnomeShortcuts.h"

// Qt's `signals` keyword is a member name in GIO's headers.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

#include <QStringList>
#include <memory>

#include "desktop/DesktopLogging.h"
#include "desktop/hotkeys/ShortcutSyntax.h"

namespace ts {

namespace {

constexpr const char* kMediaKeys = "org.gnome.settings-daemon.plugins.media-keys";
constexpr const char* kCustomSchema =
    "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding";
constexpr const char* kListKey = "custom-keybindings";
constexpr const char* kCustomFolder =
    "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/";

// Where GNOME keeps its own shortcuts; a schema that is not installed is skipped.
constexpr const char* kBuiltInSchemas[] = {
    "org.gnome.desktop.wm.keybindings",
    "org.gnome.shell.keybindings",
    "org.gnome.mutter.keybindings",
    "org.gnome.mutter.wayland.keybindings",
    "org.gnome.settings-daemon.plugins.media-keys",
};

struct Unref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using Settings = std::unique_ptr<GSettings, Unref>;

QString pathOf(GnomeShortcuts::Entry entry) {
    return QLatin1String(kCustomFolder) + (entry == GnomeShortcuts::Entry::window
                                               ? QStringLiteral("tessarine-window/")
                                               : QStringLiteral("tessarine-in-place/"));
}

bool schemaInstalled(const char* id) {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source == nullptr) {
        return false;
    }
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, id, TRUE);
    if (schema == nullptr) {
        return false;
    }
    g_settings_schema_unref(schema);
    return true;
}

Settings custom(const QString& path) {
    return Settings(g_settings_new_with_path(kCustomSchema, path.toUtf8().constData()));
}

QString stringOf(GSettings* settings, const char* key) {
    gchar* value = g_settings_get_string(settings, key);
    const QString out = QString::fromUtf8(value);
    g_free(value);
    return out;
}

QStringList listOf(GSettings* settings, const char* key) {
    gchar** values = g_settings_get_strv(settings, key);
    QStringList out;
    for (gchar** value = values; value != nullptr && *value != nullptr; ++value) {
        out << QString::fromUtf8(*value);
    }
    g_strfreev(values);
    return out;
}

void setList(GSettings* settings, const char* key, const QStringList& list) {
    std::vector<QByteArray> bytes;
    std::vector<const gchar*> pointers;
    for (const QString& item : list) {
        bytes.push_back(item.toUtf8());
    }
    for (const QByteArray& item : bytes) {
        pointers.push_back(item.constData());
    }
    pointers.push_back(nullptr);
    g_settings_set_strv(settings, key, pointers.data());
}

bool clashes(const QString& binding, const Accelerator& wanted) {
    const std::optional<Accelerator> other = parseGnomeAccelerator(binding);
    return other && *other == wanted;
}

// The GNOME shortcut other than ours that holds these keys, empty when none.
QString holderOf(const Accelerator& wanted) {
    Settings mediaKeys(g_settings_new(kMediaKeys));
    for (const QString& path : listOf(mediaKeys.get(), kListKey)) {
        if (path.startsWith(QLatin1String(kCustomFolder) + QStringLiteral("tessarine-"))) {
            continue;
        }
        const Settings entry = custom(path);
        if (clashes(stringOf(entry.get(), "binding"), wanted)) {
            const QString name = stringOf(entry.get(), "name");
            return name.isEmpty() ? path : name;
        }
    }
    for (const char* id : kBuiltInSchemas) {
        if (!schemaInstalled(id)) {
            continue;
        }
        const Settings settings(g_settings_new(id));
        GSettingsSchema* schema = nullptr;
        g_object_get(settings.get(), "settings-schema", &schema, nullptr);
        gchar** keys = g_settings_schema_list_keys(schema);
        QString found;
        for (gchar** key = keys; key != nullptr && *key != nullptr && found.isEmpty(); ++key) {
            GVariant* value = g_settings_get_value(settings.get(), *key);
            QStringList bindings;
            if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING_ARRAY)) {
                bindings = listOf(settings.get(), *key);
            } else if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING)) {
                bindings << QString::fromUtf8(g_variant_get_string(value, nullptr));
            }
            g_variant_unref(value);
            for (const QString& binding : std::as_const(bindings)) {
                if (clashes(binding, wanted)) {
                    found = QStringLiteral("%1 %2").arg(QLatin1String(id), QString::fromUtf8(*key));
                }
            }
        }
        g_strfreev(keys);
        g_settings_schema_unref(schema);
        if (!found.isEmpty()) {
            return found;
        }
    }
    return {};
}

}  // namespace

bool GnomeShortcuts::available() {
    return schemaInstalled(kMediaKeys) && schemaInstalled(kCustomSchema);
}

QString GnomeShortcuts::entryName(Entry entry) {
    return entry == Entry::window ? QStringLiteral("Tessarine: open window")
                                  : QStringLiteral("Tessarine: rewrite in place");
}

GnomeShortcuts::Outcome GnomeShortcuts::install(Entry entry, const Shortcut& shortcut,
                                                const QString& command, QString* holder) {
    if (!available()) {
        return Outcome::unavailable;
    }
    const std::optional<Accelerator> wanted = acceleratorOf(shortcut);
    if (!wanted) {
        remove(entry);
        return Outcome::unavailable;
    }
    if (const QString other = holderOf(*wanted); !other.isEmpty()) {
        qCInfo(lcHotkeys, "GNOME shortcut %s: %s is held by \"%s\"",
               qUtf8Printable(entryName(entry)), qUtf8Printable(gnomeAccelerator(shortcut)),
               qUtf8Printable(other));
        remove(entry);
        if (holder != nullptr) {
            *holder = other;
        }
        return Outcome::taken;
    }
    const QString path = pathOf(entry);
    const Settings ours = custom(path);
    g_settings_set_string(ours.get(), "name", entryName(entry).toUtf8().constData());
    g_settings_set_string(ours.get(), "command", command.toUtf8().constData());
    g_settings_set_string(ours.get(), "binding", gnomeAccelerator(shortcut).toUtf8().constData());
    Settings mediaKeys(g_settings_new(kMediaKeys));
    QStringList list = listOf(mediaKeys.get(), kListKey);
    if (!list.contains(path)) {
        list.append(path);
        setList(mediaKeys.get(), kListKey, list);
    }
    g_settings_sync();
    return Outcome::set;
}

void GnomeShortcuts::remove(Entry entry) {
    if (!available()) {
        return;
    }
    const QString path = pathOf(entry);
    Settings mediaKeys(g_settings_new(kMediaKeys));
    QStringList list = listOf(mediaKeys.get(), kListKey);
    if (list.removeAll(path) > 0) {
        setList(mediaKeys.get(), kListKey, list);
    }
    const Settings ours = custom(path);
    for (const char* key : {"name", "command", "binding"}) {
        g_settings_reset(ours.get(), key);
    }
    g_settings_sync();
}

std::optional<GnomeShortcuts::Installed> GnomeShortcuts::installed(Entry entry) {
    if (!available()) {
        return std::nullopt;
    }
    const QString path = pathOf(entry);
    Settings mediaKeys(g_settings_new(kMediaKeys));
    if (!listOf(mediaKeys.get(), kListKey).contains(path)) {
        return std::nullopt;
    }
    const Settings ours = custom(path);
    return Installed{stringOf(ours.get(), "binding"), stringOf(ours.get(), "command")};
}

}  // namespace ts
