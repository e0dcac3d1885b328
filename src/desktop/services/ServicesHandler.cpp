#include "desktop/services/ServicesHandler.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QXmlStreamReader>

#include "desktop/services/ServiceCall.h"
#include "desktop/services/ServicesLogging.h"

// The resource macro cannot be used inside a namespace.
static void initServicesResource() {
    Q_INIT_RESOURCE(services);
}

namespace ts {

namespace {

const QString kInterfaceFile = QStringLiteral(":/io/tessarine/dbus/io.tessarine.Services.xml");
const QString kNoText = QStringLiteral("No text selected.");
const QString kNotReady = QStringLiteral("Tessarine isn't ready.");

// What each method of the interface file does here.
struct Behaviour {
    const char* name;
    Mode mode;
};
constexpr Behaviour kBehaviours[] = {
    {"RewriteWithTessarine", Mode::rewrite},
    {"ProofreadWithTessarine", Mode::proofread},
    {"ReplyWithTessarine", Mode::reply},
    {"CheckToneWithTessarine", Mode::toneCheck},
};

std::optional<Mode> behaviourOf(const QString& method) {
    for (const Behaviour& behaviour : kBehaviours) {
        if (method == QLatin1String(behaviour.name)) {
            return behaviour.mode;
        }
    }
    return std::nullopt;
}

// The methods of our interface, and whether each has an out argument.
QList<ServicesHandler::Method> readMethods(const QString& xml) {
    QList<ServicesHandler::Method> methods;
    QXmlStreamReader reader(xml);
    bool inInterface = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("interface")) {
            inInterface = reader.attributes().value(QLatin1String("name")) ==
                          QLatin1String(ServicesHandler::kInterface);
        } else if (inInterface && reader.isStartElement() &&
                   reader.name() == QLatin1String("method")) {
            const QString name = reader.attributes().value(QLatin1String("name")).toString();
            if (const std::optional<Mode> mode = behaviourOf(name)) {
                methods.append({name, *mode, false});
            } else {
                qCWarning(lcServices, "%s is declared but not served", qUtf8Printable(name));
            }
        } else if (inInterface && reader.isStartElement() &&
                   reader.name() == QLatin1String("arg") && !methods.isEmpty() &&
                   reader.attributes().value(QLatin1String("direction")) == QLatin1String("out")) {
            methods.last().answersText = true;
        }
    }
    if (reader.hasError()) {
        qCWarning(lcServices, "interface file: %s", qUtf8Printable(reader.errorString()));
    }
    return methods;
}

}  // namespace

ServicesHandler::ServicesHandler(RequestServices requests, std::chrono::milliseconds timeout,
                                 QObject* parent)
    : QDBusVirtualObject(parent), requests_(std::move(requests)), timeout_(timeout) {
    initServicesResource();
    QFile file(kInterfaceFile);
    if (file.open(QIODevice::ReadOnly)) {
        const QString xml = QString::fromUtf8(file.readAll());
        methods_ = readMethods(xml);
        const qsizetype from = xml.indexOf(QLatin1String("<interface"));
        const QLatin1String end("</interface>");
        interfaceXml_ = xml.mid(from, xml.lastIndexOf(end) + end.size() - from) + u'\n';
    }
}

ServicesHandler::~ServicesHandler() = default;

void ServicesHandler::setHooks(Hooks hooks) {
    hooks_ = std::move(hooks);
}

int ServicesHandler::pendingCalls() const {
    return static_cast<int>(findChildren<ServiceCall*>(Qt::FindDirectChildrenOnly).size());
}

QString ServicesHandler::introspect(const QString&) const {
    return interfaceXml_;
}

bool ServicesHandler::handleMessage(const QDBusMessage& message,
                                    const QDBusConnection& connection) {
    const QString interface = message.interface();
    if (!interface.isEmpty() && interface != QLatin1String(kInterface)) {
        return false;  // the standard interfaces are QtDBus's
    }
    // Requests are objects of this thread.
    QMetaObject::invokeMethod(
        this, [this, message, connection] { dispatch(message, connection); }, Qt::AutoConnection);
    return true;
}

void ServicesHandler::dispatch(const QDBusMessage& message, const QDBusConnection& connection) {
    QDBusConnection bus = connection;
    const auto method = std::find_if(methods_.cbegin(), methods_.cend(),
                                     [&](const Method& m) { return m.name == message.member(); });
    if (method == methods_.cend()) {
        bus.send(message.createErrorReply(
            QDBusError::UnknownMethod,
            QStringLiteral("No method %1 in %2").arg(message.member(), QLatin1String(kInterface))));
        return;
    }
    if (message.signature() != QLatin1String("s")) {
        bus.send(message.createErrorReply(QDBusError::InvalidArgs,
                                          QStringLiteral("%1 takes one string, not (%2)")
                                              .arg(method->name, message.signature())));
        return;
    }
    const QString text = message.arguments().constFirst().toString();
    qCInfo(lcServices, "%s with %lld characters", qUtf8Printable(method->name),
           static_cast<long long>(text.size()));
    if (text.trimmed().isEmpty()) {
        bus.send(message.createErrorReply(QLatin1String(kNoTextError), kNoText));
        return;
    }
    if (!method->answersText) {
        if (!hooks_.openToneCheck) {
            bus.send(message.createErrorReply(QLatin1String(kNotReadyError), kNotReady));
            return;
        }
        hooks_.openToneCheck(text);
        bus.send(message.createReply());
        return;
    }
    auto* call = new ServiceCall(*this, method->mode, message, bus);
    call->start(text);
}

}  // namespace ts
