// Writes settings from a separate process: "set FILE KEY VALUE" once, or "loop FILE" forever
// (until killed), printing the number of each completed round.
#include <QCoreApplication>
#include <QTextStream>

#include "SettingsPayload.h"
#include "store/SettingsStore.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 4 && args[0] == QLatin1String("set")) {
        // Typed as the field is, as tessarine-cli config set does.
        const ts::SettingsStore::FieldInfo* field = ts::SettingsStore::field(args[2]);
        QVariant value = args[3];
        return field && value.convert(QMetaType(field->type)) &&
                       ts::SettingsStore(args[1]).setValue(args[2], value)
                   ? 0
                   : 1;
    }
    if (args.size() != 2 || args[0] != QLatin1String("loop")) {
        QTextStream(stderr) << "usage: settings-writer set FILE KEY VALUE | loop FILE\n";
        return 2;
    }
    ts::SettingsStore store(args[1]);
    QTextStream out(stdout);
    for (int round = 0;; ++round) {
        store.setStyleProfile(ts::test::settingsPayload(round));
        store.setStyleSamples(ts::test::settingsPayload(round + 1));
        out << round << Qt::endl;
    }
}
