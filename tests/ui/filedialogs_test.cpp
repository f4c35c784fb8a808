// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filedialogs.h"
#include "platform/nameonlyiconprovider.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace quorbel;
using DialogCall = std::function<QString(QtFileDialogs&)>;
Q_DECLARE_METATYPE(DialogCall)

namespace {

// The first bytes of a PNG file, which content sniffing recognises.
const QByteArray pngStart("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);

QString pngType() {
    return QMimeDatabase().mimeTypeForName(QStringLiteral("image/png")).comment();
}

void write(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QFileDialog* shownFileDialog() {
    if (auto* modal = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
        return modal;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QFileDialog*>(window); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

// Runs a dialog with a look at it once it shows, then cancels it.
QString runAndLook(const DialogCall& call, const std::function<void(QFileDialog&)>& look) {
    QtFileDialogs dialogs;
    QTimer::singleShot(0, [&] {
        QFileDialog* dialog = shownFileDialog();
        if (!dialog) {
            qWarning("no file dialog showed");
            return;
        }
        look(*dialog);
        dialog->reject();
    });
    return call(dialogs);
}

} // namespace

class FileDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void typesAreToldByNameAlone_data();
    void typesAreToldByNameAlone();
    void everyDialogListsByName_data();
    void everyDialogListsByName();
    void aListedFileIsNeverRead();
};

void FileDialogsTest::typesAreToldByNameAlone_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("png");
    QTest::newRow("PNG bytes without a name that tells") << "notes" << pngStart << false;
    QTest::newRow("a .png name with other bytes") << "picture.png" << QByteArray("text") << true;
    QTest::newRow("PNG bytes under a .txt name") << "list.txt" << pngStart << false;
}

void FileDialogsTest::typesAreToldByNameAlone() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, png);
    QTemporaryDir dir;
    write(dir.filePath(name), content);
    const QFileInfo info(dir.filePath(name));
    NameOnlyIconProvider provider;
    QCOMPARE(provider.type(info) == pngType(), png);
    QVERIFY(!provider.icon(info).isNull());
    const QFileInfo folder(dir.path());
    QCOMPARE(provider.type(folder), QFileIconProvider().type(folder));
}

void FileDialogsTest::everyDialogListsByName_data() {
    QTest::addColumn<DialogCall>("call");
    QTest::newRow("open") << DialogCall([](QtFileDialogs& d) {
        return d.openFile(nullptr, QStringLiteral("o"), QStringLiteral("All (*)"), QString());
    });
    QTest::newRow("save") << DialogCall([](QtFileDialogs& d) {
        return d.saveFile(nullptr, QStringLiteral("s"), QStringLiteral("All (*)"), QString());
    });
    QTest::newRow("save as one of several types") << DialogCall([](QtFileDialogs& d) {
        return d
            .saveFileAs(nullptr, QStringLiteral("a"),
                        {{QStringLiteral("A (*.a)"), QStringLiteral("a")},
                         {QStringLiteral("B (*.b)"), QStringLiteral("b")}})
            .path;
    });
    QTest::newRow("folder browser")
        << DialogCall([](QtFileDialogs& d) { return d.folder(nullptr, QStringLiteral("f")); });
}

void FileDialogsTest::everyDialogListsByName() {
    QFETCH(DialogCall, call);
    bool byName = false;
    const QString chosen = runAndLook(call, [&](QFileDialog& dialog) {
        byName = dynamic_cast<NameOnlyIconProvider*>(dialog.iconProvider()) != nullptr;
    });
    QVERIFY(byName);
    QVERIFY(chosen.isEmpty());
}

// The dialog's own listing, which runs on the window's thread, shows the type
// a name gives, not the one the bytes would.
void FileDialogsTest::aListedFileIsNeverRead() {
    QTemporaryDir dir;
    write(dir.filePath(QStringLiteral("notes")), pngStart);
    QString shownType;
    runAndLook(
        [](QtFileDialogs& d) {
            return d.saveFile(nullptr, QStringLiteral("s"), QStringLiteral("All (*)"), QString());
        },
        [&](QFileDialog& dialog) {
            dialog.setDirectory(dir.path());
            auto* model = dialog.findChild<QFileSystemModel*>();
            QVERIFY(model);
            const QString path = dir.filePath(QStringLiteral("notes"));
            if (QTest::qWaitFor([&] { return !model->index(path, 2).data().toString().isEmpty(); }))
                shownType = model->index(path, 2).data().toString();
        });
    QVERIFY(!shownType.isEmpty());
    QVERIFY2(shownType != pngType(), qPrintable(shownType));
}

QTEST_MAIN(FileDialogsTest)
#include "filedialogs_test.moc"
