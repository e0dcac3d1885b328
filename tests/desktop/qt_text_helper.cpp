// A Qt 6 text editor for the tests: `qt_text_helper FILE` edits FILE's text in a plain text
// edit that has the focus; Ctrl+S writes it back.
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QShortcut>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return 2;
    }
    QPlainTextEdit edit;
    edit.setPlainText(QString::fromUtf8(file.readAll()));
    file.close();
    edit.setWindowTitle(QStringLiteral("qt-text-helper"));
    QShortcut save(QKeySequence::Save, &edit);
    QObject::connect(&save, &QShortcut::activated, &edit, [&] {
        QFile out(path);
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            out.write(edit.toPlainText().toUtf8());
        }
    });
    edit.resize(600, 400);
    edit.show();
    edit.setFocus();
    return app.exec();
}
