#include "ui/theme/Icons.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include "ui/theme/Palette.h"

// The resources live in a static library, so they are registered by hand.
static void initIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace ts::icons {

namespace {

struct Entry {
    const char* themeName;  // freedesktop icon name, or null when none fits
};

// Theme icons only where the freedesktop name means the same thing; the rest are our own.
const QHash<QString, Entry>& table() {
    static const QHash<QString, Entry> entries{
        {QStringLiteral("sparkle"), {nullptr}},
        {QStringLiteral("checkmark.seal"), {nullptr}},
        {QStringLiteral("arrowshape.turn.up.left"), {"mail-reply-sender"}},
        {QStringLiteral("wand.and.stars"), {nullptr}},
        {QStringLiteral("waveform"), {nullptr}},
        {QStringLiteral("plus"), {"list-add"}},
        {QStringLiteral("checkmark"), {nullptr}},
        {QStringLiteral("trash"), {"edit-delete"}},
        {QStringLiteral("exclamationmark.triangle"), {"dialog-warning"}},
        {QStringLiteral("gearshape"), {"preferences-system"}},
        {QStringLiteral("gearshape.fill"), {"preferences-system"}},
        {QStringLiteral("arrow.clockwise"), {"view-refresh"}},
        {QStringLiteral("scope"), {nullptr}},
        {QStringLiteral("face.smiling"), {"face-smile"}},
        {QStringLiteral("text.alignleft"), {"format-justify-left"}},
        {QStringLiteral("arrow.down.right.and.arrow.up.left"), {nullptr}},
        {QStringLiteral("arrow.up.left.and.arrow.down.right"), {nullptr}},
        {QStringLiteral("briefcase"), {nullptr}},
        {QStringLiteral("sun.max"), {nullptr}},
        {QStringLiteral("doc.on.doc"), {"edit-copy"}},
        {QStringLiteral("arrow.left"), {"go-previous"}},
        {QStringLiteral("arrow.right"), {"go-next"}},
        {QStringLiteral("arrow.down.circle"), {nullptr}},
        {QStringLiteral("cloud"), {nullptr}},
        {QStringLiteral("shield"), {nullptr}},
        {QStringLiteral("bolt"), {nullptr}},
        {QStringLiteral("hand.raised"), {nullptr}},
        {QStringLiteral("chevron.right"), {nullptr}},
        {QStringLiteral("chevron.down"), {nullptr}},
        {QStringLiteral("hand.thumbsup"), {nullptr}},
        {QStringLiteral("hand.thumbsup.fill"), {nullptr}},
        {QStringLiteral("hand.thumbsdown"), {nullptr}},
        {QStringLiteral("hand.thumbsdown.fill"), {nullptr}},
        {QStringLiteral("clock"), {"document-open-recent"}},
        {QStringLiteral("keyboard"), {"input-keyboard"}},
        {QStringLiteral("xmark"), {"window-close"}},
        {QStringLiteral("arrow.up.circle.fill"), {nullptr}},
        {QStringLiteral("info.circle"), {"dialog-information"}},
        {QStringLiteral("cube.transparent"), {nullptr}},
        {QStringLiteral("slider.horizontal.3"), {nullptr}},
        {QStringLiteral("sparkles"), {nullptr}},
        {QStringLiteral("text.bubble"), {nullptr}},
        {QStringLiteral("largecircle.fill.circle"), {nullptr}},
        {QStringLiteral("circle"), {nullptr}},
        {QStringLiteral("lock.shield"), {nullptr}},
        {QStringLiteral("chevron.up.chevron.down"), {nullptr}},
        {QStringLiteral("square.and.arrow.down"), {nullptr}},
        {QStringLiteral("square.and.arrow.up"), {nullptr}},
        {QStringLiteral("pencil"), {nullptr}},
        {QStringLiteral("checkmark.circle.fill"), {nullptr}},
        {QStringLiteral("exclamationmark.triangle.fill"), {nullptr}},
    };
    return entries;
}

QPixmap tinted(QSvgRenderer& renderer, int size, qreal ratio, const QColor& tint) {
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRectF(0, 0, size, size), tint);
    return pixmap;
}

QString resourcePath(const QString& name) {
    return QStringLiteral(":/icons/%1.svg").arg(name);
}

}  // namespace

bool has(const QString& name) {
    return table().contains(name);
}

QString symbolFile(const QString& name, const QColor& tint) {
    static QTemporaryDir folder;
    const QString path = folder.filePath(
        name + QLatin1Char('-') + tint.name(QColor::HexArgb).mid(1) + QStringLiteral(".png"));
    if (!QFile::exists(path)) {
        symbol(name, tint).pixmap(QSize(20, 20), 2.0).save(path);
    }
    return path;
}

QIcon symbol(const QString& name, const QColor& tint) {
    static const bool registered = (initIconResources(), true);
    Q_UNUSED(registered);
    static QHash<QString, QIcon> cache;
    const QString key = name + QLatin1Char('/') + tint.name(QColor::HexArgb);
    if (const auto found = cache.constFind(key); found != cache.constEnd()) {
        return *found;
    }
    const auto entry = table().constFind(name);
    const QString file =
        resourcePath(entry == table().constEnd() ? QStringLiteral("sparkle") : name);
    QIcon own;
    QSvgRenderer renderer(file);
    if (renderer.isValid()) {
        for (const int size : {12, 14, 16, 20, 24, 32, 48}) {
            for (const qreal ratio : {1.0, 2.0}) {
                own.addPixmap(tinted(renderer, size, ratio, tint));
            }
        }
    }
    QIcon icon = own;
    if (entry != table().constEnd() && entry->themeName != nullptr &&
        QIcon::hasThemeIcon(QString::fromLatin1(entry->themeName))) {
        icon = QIcon::fromTheme(QString::fromLatin1(entry->themeName), own);
    }
    cache.insert(key, icon);
    return icon;
}

QIcon symbol(const QString& name) {
    return symbol(name, Palette::current().text);
}

QIcon appIcon() {
    static const bool registered = (initIconResources(), true);
    Q_UNUSED(registered);
    return QIcon(QStringLiteral(":/icons/tessarine.svg"));
}

}  // namespace ts::icons
