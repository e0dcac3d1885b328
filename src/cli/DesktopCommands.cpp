#include "cli/DesktopCommands.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeySequence>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include "cli/OpenCommand.h"
#include "desktop/DesktopCapabilities.h"
#include "desktop/hotkeys/GnomeShortcuts.h"
#include "desktop/hotkeys/HotKeyManager.h"
#include "desktop/hotkeys/KdeGlobalAccel.h"
#include "desktop/hotkeys/ShortcutSyntax.h"
#include "session/RequestSetup.h"
#include "store/Keychain.h"
#include "store/SettingsStore.h"

namespace ts::cli {

namespace {

struct Hotkeys {
    Shortcut window;
    Shortcut inPlace;
    bool inPlaceEnabled = true;
};

Hotkeys storedHotkeys(const SettingsStore& settings) {
    return Hotkeys{Shortcut{static_cast<quint32>(settings.hotkeyKeyCode()),
                            static_cast<quint32>(settings.hotkeyModifiers())},
                   Shortcut{static_cast<quint32>(settings.inPlaceHotkeyKeyCode()),
                            static_cast<quint32>(settings.inPlaceHotkeyModifiers())},
                   settings.inPlaceHotkeyEnabled()};
}

QString program() {
    const QString found = tessarineProgram();
    return found.isEmpty() ? QStringLiteral("tessarine") : found;
}

QString commandFor(quint32 id) {
    return program() + QLatin1Char(' ') +
           QLatin1String(id == kWindowHotKeyId ? kToggleOption : kInPlaceOption);
}

// What this door holds for one hotkey right now: the desktop's own spelling, empty for nothing.
QString registration(HotkeyMechanism mechanism, quint32 id) {
    if (mechanism == HotkeyMechanism::gnomeCustom) {
        const auto installed = GnomeShortcuts::installed(
            id == kWindowHotKeyId ? GnomeShortcuts::Entry::window : GnomeShortcuts::Entry::inPlace);
        return installed ? installed->binding : QString();
    }
    if (mechanism == HotkeyMechanism::kglobalaccel) {
        QStringList keys;
        for (int key : KdeGlobalAccel::boundKeys(id)) {
            keys << QKeySequence(key).toString(QKeySequence::PortableText);
        }
        return keys.join(QStringLiteral(", "));
    }
    return {};
}

// One sentence on the door where nothing can be registered from here.
QString doorNote(HotkeyMechanism mechanism) {
    switch (mechanism) {
        case HotkeyMechanism::x11Grab:
            return QCoreApplication::translate(
                "ts::cli::DesktopCommands",
                "Tessarine grabs the keys on the X server while it runs.");
        case HotkeyMechanism::portal:
            return QCoreApplication::translate(
                "ts::cli::DesktopCommands",
                "Tessarine binds the keys through the desktop's portal while it runs.");
        case HotkeyMechanism::compositorConfig:
            return QCoreApplication::translate(
                "ts::cli::DesktopCommands",
                "This desktop takes its shortcuts from its configuration; add these lines:");
        case HotkeyMechanism::none:
            return QCoreApplication::translate(
                "ts::cli::DesktopCommands", "No desktop session: there are no global shortcuts.");
        case HotkeyMechanism::kglobalaccel:
        case HotkeyMechanism::gnomeCustom:
            break;
    }
    return {};
}

int printStatus(CliEnvironment& env, const DesktopSession& session, HotkeyMechanism mechanism,
                const Hotkeys& hotkeys, bool json) {
    const QStringList lines = compositorConfigLines(
        session.compositor, hotkeys.window,
        hotkeys.inPlaceEnabled ? std::optional(hotkeys.inPlace) : std::nullopt, program());
    const auto entry = [&](quint32 id, const Shortcut& shortcut, bool enabled) {
        const QString held = registration(mechanism, id);
        return QJsonObject{{QStringLiteral("keys"), linuxDisplayString(shortcut)},
                           {QStringLiteral("enabled"), enabled},
                           {QStringLiteral("registered"), held},
                           {QStringLiteral("command"), commandFor(id)}};
    };
    const QJsonObject window = entry(kWindowHotKeyId, hotkeys.window, true);
    const QJsonObject inPlace = entry(kInPlaceHotKeyId, hotkeys.inPlace, hotkeys.inPlaceEnabled);
    if (json) {
        QJsonObject out{{QStringLiteral("session"), sessionTypeName(session.type)},
                        {QStringLiteral("desktop"), session.desktop},
                        {QStringLiteral("mechanism"), mechanismName(mechanism)},
                        {QStringLiteral("window"), window},
                        {QStringLiteral("inPlace"), inPlace},
                        {QStringLiteral("configLines"), QJsonArray::fromStringList(lines)}};
        env.out << QJsonDocument(out).toJson(QJsonDocument::Indented);
        return exitSuccess;
    }
    env.out << QCoreApplication::translate("ts::cli::DesktopCommands",
                                           "Session: %1 (%2), hotkeys through %3")
                   .arg(sessionTypeName(session.type),
                        session.desktop.isEmpty() ? QStringLiteral("-") : session.desktop,
                        mechanismName(mechanism))
            << Qt::endl;
    for (const auto& [name, item] :
         {std::pair{QCoreApplication::translate("ts::cli::DesktopCommands", "Open window"), window},
          std::pair{QCoreApplication::translate("ts::cli::DesktopCommands", "Rewrite in place"),
                    inPlace}}) {
        const QString held = item.value(QStringLiteral("registered")).toString();
        const QString state =
            !item.value(QStringLiteral("enabled")).toBool()
                ? QCoreApplication::translate("ts::cli::DesktopCommands", "off")
            : !held.isEmpty()
                ? QCoreApplication::translate("ts::cli::DesktopCommands", "registered as %1")
                      .arg(held)
            : mechanism == HotkeyMechanism::gnomeCustom ||
                    mechanism == HotkeyMechanism::kglobalaccel
                ? QCoreApplication::translate("ts::cli::DesktopCommands", "not registered")
                : QString();
        env.out
            << QStringLiteral("  %1 (%2)").arg(name, item.value(QStringLiteral("keys")).toString());
        if (!state.isEmpty()) {
            env.out << QStringLiteral(": ") << state;
        }
        env.out << Qt::endl;
    }
    if (const QString note = doorNote(mechanism); !note.isEmpty()) {
        env.out << note << Qt::endl;
    }
    for (const QString& line : lines) {
        env.out << QStringLiteral("    ") << line << Qt::endl;
    }
    return exitSuccess;
}

// Installs (or removes) through the door; false when a key is held by another shortcut.
bool apply(CliEnvironment& env, HotkeyMechanism mechanism, const Hotkeys& hotkeys, bool install) {
    bool allSet = true;
    const std::pair<quint32, Shortcut> wanted[] = {{kWindowHotKeyId, hotkeys.window},
                                                   {kInPlaceHotKeyId, hotkeys.inPlace}};
    for (const auto& [id, shortcut] : wanted) {
        const bool on = install && (id == kWindowHotKeyId || hotkeys.inPlaceEnabled);
        if (mechanism == HotkeyMechanism::gnomeCustom) {
            const auto entry = id == kWindowHotKeyId ? GnomeShortcuts::Entry::window
                                                     : GnomeShortcuts::Entry::inPlace;
            if (!on) {
                GnomeShortcuts::remove(entry);
                continue;
            }
            QString holder;
            if (GnomeShortcuts::install(entry, shortcut, commandFor(id), &holder) ==
                GnomeShortcuts::Outcome::taken) {
                env.err << "tessarine-cli: "
                        << QCoreApplication::translate("ts::cli::DesktopCommands",
                                                       "%1: In use by another program (%2)")
                               .arg(linuxDisplayString(shortcut), holder)
                        << Qt::endl;
                allSet = false;
            }
        } else if (mechanism == HotkeyMechanism::kglobalaccel) {
            KdeGlobalAccel kde;
            if (!on) {
                kde.unbind(id);
                continue;
            }
            if (!kde.bind(id, shortcut)) {
                env.err << "tessarine-cli: "
                        << QCoreApplication::translate("ts::cli::DesktopCommands",
                                                       "%1: In use by another program")
                               .arg(linuxDisplayString(shortcut))
                        << Qt::endl;
                allSet = false;
            }
            // Registered for KDE's settings; the keys are held once Tessarine runs.
            kde.deactivate(id);
        }
    }
    return allSet;
}

QString baseURLOf(const ProviderConfig& config) {
    QString set;
    switch (config.kind) {
        case ProviderKind::openai:
            set = config.openaiBaseURL;
            break;
        case ProviderKind::anthropic:
            set = config.anthropicBaseURL;
            break;
        case ProviderKind::gemini:
            set = config.geminiBaseURL;
            break;
        case ProviderKind::ollama:
            set = config.ollamaBaseURL;
            break;
        case ProviderKind::custom:
            set = config.customBaseURL;
            break;
    }
    return set.trimmed().isEmpty() ? defaultBaseURL(config.kind) : set.trimmed();
}

QString availability(bool ok) {
    return ok ? QCoreApplication::translate("ts::cli::DesktopCommands", "available")
              : QCoreApplication::translate("ts::cli::DesktopCommands", "not available");
}

}  // namespace

int runShortcuts(CliEnvironment& env, const Invocation& invocation) {
    const DesktopSession session = detectSession();
    const HotkeyMechanism mechanism = chooseMechanism(session, probeDoors(session));
    const Hotkeys hotkeys = storedHotkeys(env.settings());
    int status = exitSuccess;
    if (invocation.command != Command::shortcutsStatus &&
        !apply(env, mechanism, hotkeys, invocation.command == Command::shortcutsInstall)) {
        status = exitFailure;
    }
    printStatus(env, session, mechanism, hotkeys, invocation.json);
    return status;
}

DoctorCommand::DoctorCommand(CliEnvironment& env, bool json, QObject* parent)
    : QObject(parent), env_(env), json_(json) {}

DoctorCommand::~DoctorCommand() = default;

void DoctorCommand::start() {
    const RequestSetup setup = readSetup(env_.settings());
    const QUrl url(baseURLOf(setup.config));
    if (!url.isValid() || url.host().isEmpty()) {
        report(false);
        return;
    }
    network_ = std::make_unique<QNetworkAccessManager>();
    QNetworkRequest request(url);
    // Any answer counts, an error status too: the server is there.
    request.setTransferTimeout(3000);
    reply_ = network_->head(request);
    connect(reply_, &QNetworkReply::finished, this, [this] {
        const bool answered = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
        reply_->deleteLater();
        reply_ = nullptr;
        report(answered);
    });
}

void DoctorCommand::interrupt() {
    if (reply_ != nullptr) {
        reply_->abort();
    }
}

void DoctorCommand::report(bool reachable) {
    const DesktopCapabilities caps = probeCapabilities();
    const RequestSetup setup = readSetup(env_.settings());
    const auto* keychain = dynamic_cast<const Keychain*>(&env_.keys());
    const bool secretService =
        keychain != nullptr && keychain->backend() == Keychain::Backend::secretService;
    const QString keyring =
        secretService ? QStringLiteral("secret-service") : QStringLiteral("file");
    const bool inPlaceOk = caps.inPlaceOk();
    if (json_) {
        const QJsonObject out{
            {QStringLiteral("session"), sessionTypeName(caps.session.type)},
            {QStringLiteral("desktop"), caps.session.desktop},
            {QStringLiteral("hotkeys"),
             QJsonObject{{QStringLiteral("mechanism"), mechanismName(caps.hotkeys)},
                         {QStringLiteral("ok"), caps.hotkeysOk}}},
            {QStringLiteral("inPlace"), QJsonObject{{QStringLiteral("read"), caps.read},
                                                    {QStringLiteral("write"), caps.write},
                                                    {QStringLiteral("ok"), inPlaceOk}}},
            {QStringLiteral("clipboard"),
             QJsonObject{{QStringLiteral("mechanism"), caps.clipboard},
                         {QStringLiteral("ok"), caps.clipboard != QLatin1String("none")}}},
            {QStringLiteral("strip"), QJsonObject{{QStringLiteral("ok"), caps.strip}}},
            {QStringLiteral("keyring"), QJsonObject{{QStringLiteral("backend"), keyring}}},
            {QStringLiteral("provider"),
             QJsonObject{{QStringLiteral("name"), rawValue(setup.kind)},
                         {QStringLiteral("model"), setup.model},
                         {QStringLiteral("baseURL"), baseURLOf(setup.config)},
                         {QStringLiteral("reachable"), reachable}}}};
        env_.out << QJsonDocument(out).toJson(QJsonDocument::Indented);
    } else {
        const auto row = [this](const QString& name, const QString& mechanism, bool ok,
                                const QString& why) {
            env_.out << QStringLiteral("%1 %2: %3")
                            .arg(name.leftJustified(24), mechanism, availability(ok));
            if (!ok && !why.isEmpty()) {
                env_.out << QStringLiteral(" (") << why << QStringLiteral(")");
            }
            env_.out << Qt::endl;
        };
        const bool noSession = caps.session.type == SessionType::none;
        const QString noDisplay = QCoreApplication::translate(
            "ts::cli::DesktopCommands", "no display: DISPLAY and WAYLAND_DISPLAY are unset");
        env_.out << QCoreApplication::translate("ts::cli::DesktopCommands", "Session: %1 (%2)")
                        .arg(sessionTypeName(caps.session.type), caps.session.desktop.isEmpty()
                                                                     ? QStringLiteral("-")
                                                                     : caps.session.desktop)
                 << Qt::endl;
        const QString hotkeyWhy =
            noSession ? noDisplay
            : caps.hotkeys == HotkeyMechanism::compositorConfig
                ? QCoreApplication::translate(
                      "ts::cli::DesktopCommands",
                      "add the lines of tessarine-cli shortcuts to the compositor's configuration")
            : caps.hotkeys == HotkeyMechanism::gnomeCustom
                ? QCoreApplication::translate(
                      "ts::cli::DesktopCommands",
                      "not registered yet: start Tessarine or run tessarine-cli shortcuts install")
                : QCoreApplication::translate("ts::cli::DesktopCommands",
                                              "the X server cannot be reached");
        row(QCoreApplication::translate("ts::cli::DesktopCommands", "Window hotkey"),
            mechanismName(caps.hotkeys), caps.hotkeysOk, hotkeyWhy);
        row(QCoreApplication::translate("ts::cli::DesktopCommands", "In-place hotkey"),
            mechanismName(caps.hotkeys), caps.hotkeysOk, hotkeyWhy);
        const QString readWhy =
            noSession ? noDisplay
            : caps.session.type == SessionType::wayland
                ? QCoreApplication::translate("ts::cli::DesktopCommands",
                                              "the accessibility bus (org.a11y.Bus) is not running")
                : QCoreApplication::translate("ts::cli::DesktopCommands",
                                              "the X server lacks XTEST");
        row(QCoreApplication::translate("ts::cli::DesktopCommands", "Reading the selection"),
            caps.read, caps.read != QLatin1String("none"), readWhy);
        row(QCoreApplication::translate("ts::cli::DesktopCommands", "Writing back"), caps.write,
            caps.write != QLatin1String("none"), readWhy);
        row(QCoreApplication::translate("ts::cli::DesktopCommands", "Keeping the clipboard"),
            caps.clipboard, caps.clipboard != QLatin1String("none"),
            noSession
                ? noDisplay
                : QCoreApplication::translate("ts::cli::DesktopCommands",
                                              "the compositor offers no data-control protocol"));
        row(QCoreApplication::translate("ts::cli::DesktopCommands", "Selection strip"),
            caps.strip ? QStringLiteral("x11") : QStringLiteral("none"), caps.strip,
            noSession
                ? noDisplay
                : QCoreApplication::translate("ts::cli::DesktopCommands", "needs an X11 session"));
        env_.out
            << QCoreApplication::translate("ts::cli::DesktopCommands", "Key store: %1").arg(keyring)
            << Qt::endl;
        env_.out << QCoreApplication::translate("ts::cli::DesktopCommands",
                                                "Provider: %1, model %2, %3 %4")
                        .arg(rawValue(setup.kind), setup.model, baseURLOf(setup.config),
                             reachable ? QCoreApplication::translate("ts::cli::DesktopCommands",
                                                                     "answers")
                                       : QCoreApplication::translate("ts::cli::DesktopCommands",
                                                                     "does not answer within 3 s"))
                 << Qt::endl;
        env_.out << (inPlaceOk ? QCoreApplication::translate(
                                     "ts::cli::DesktopCommands",
                                     "The in-place rewrite can work in this session.")
                               : QCoreApplication::translate(
                                     "ts::cli::DesktopCommands",
                                     "The in-place rewrite cannot work in this session."))
                 << Qt::endl;
    }
    emit finished(inPlaceOk ? exitSuccess : exitFailure);
}

}  // namespace ts::cli
