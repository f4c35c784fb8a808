// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main.h"
#include "renamelist/renamegrid.h"
#include "support/fakeservices.h"

#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace quorbel;

namespace {

using Paths = std::vector<std::string>;

// What the list holds before a drop; a drop that is ignored leaves it so.
const Paths before{"/before/kept.ab1"};

// Names in the tables are percent-encoded bytes, so a name that is not UTF-8
// can be written down; "%E9" is a lone Latin-1 é.
std::string bytes(const QString& encoded) {
    return QByteArray::fromPercentEncoding(encoded.toLatin1()).toStdString();
}

} // namespace

class ListDropTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dropsOnTheList_data();
    void dropsOnTheList();
    void theDropIsNeverAMove_data();
    void theDropIsNeverAMove();
    void aDroppedFolderIsScannedAtOk();

private:
    // Entries ending in "/" are folders, "name>target" a symbolic link,
    // "|name" a named pipe; the rest are files.
    void create(const QStringList& entries);
    QString base() const {
        return QString::fromLatin1(QUrl::fromLocalFile(dir_->path()).toEncoded());
    }
    std::string path(const QString& name) const {
        return dir_->path().toStdString() + '/' + bytes(name);
    }
    // Drags the data onto the list and drops it; true when the drag was let in.
    bool dragAndDrop(QMimeData& data, Qt::DropActions offered, Qt::DropAction* chosen = nullptr);
    Paths listed();

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<test::FakeServices> fake_;
    std::unique_ptr<TfrmMain> window_;
};

void ListDropTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    fake_ = std::make_unique<test::FakeServices>();
    window_ = std::make_unique<TfrmMain>(fake_->services(), LocaleFormat{});
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->fillGrid(before);
}

// Qt cannot remove a name that is not UTF-8; the C++ library can.
void ListDropTest::cleanup() {
    window_.reset();
    dir_->setAutoRemove(false);
    std::filesystem::remove_all(dir_->path().toStdString());
}

void ListDropTest::create(const QStringList& entries) {
    for (const QString& entry : entries) {
        if (entry.endsWith(QLatin1Char('/'))) {
            QVERIFY(::mkdir(path(entry).c_str(), 0755) == 0);
        } else if (entry.contains(QLatin1Char('>'))) {
            const QStringList parts = entry.split(QLatin1Char('>'));
            QVERIFY(::symlink(bytes(parts[1]).c_str(), path(parts[0]).c_str()) == 0);
        } else if (entry.startsWith(QLatin1Char('|'))) {
            QVERIFY(::mkfifo(path(entry.mid(1)).c_str(), 0644) == 0);
        } else {
            const int fd = ::open(path(entry).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            QVERIFY(fd >= 0);
            ::close(fd);
        }
    }
}

bool ListDropTest::dragAndDrop(QMimeData& data, Qt::DropActions offered, Qt::DropAction* chosen) {
    QWidget* list = window_->advGrid()->viewport();
    const QPoint at = list->rect().center();
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(list, &enter);
    QDragMoveEvent move(at + QPoint(2, 2), offered, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(list, &move);
    if (enter.isAccepted() != move.isAccepted())
        qWarning("the move was judged unlike the enter");
    QDropEvent drop(QPointF(at), offered, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(list, &drop);
    if (drop.isAccepted() != enter.isAccepted())
        qWarning("the drop was judged unlike the enter");
    if (chosen)
        *chosen = drop.dropAction();
    QCoreApplication::processEvents(); // the drop's work waits for the event loop
    return enter.isAccepted() && move.isAccepted() && drop.isAccepted();
}

Paths ListDropTest::listed() {
    Paths paths;
    for (int row = 1; row < window_->renameList().RowCount(); ++row)
        paths.push_back(window_->renameList().oldPath(row));
    return paths;
}

void ListDropTest::dropsOnTheList_data() {
    QTest::addColumn<QStringList>("entries");
    // Lines of the text/uri-list; "@" stands for the temporary folder's
    // address, "#" for its path.
    QTest::addColumn<QStringList>("uris");
    // The names the list then holds; "=" alone: the list is left as it was.
    QTest::addColumn<QStringList>("names");
    // The folder the directory dialog opens with; empty when it must not open.
    QTest::addColumn<QString>("dialogFolder");

    const QStringList unchanged{QStringLiteral("=")};
    QTest::newRow("files in the chooser's order, not the drag's")
        << QStringList{"b.jpg", "C.jpg", "a.JPG", "readme"}
        << QStringList{"@/C.jpg", "@/readme", "@/b.jpg", "@/a.JPG"}
        << QStringList{"a.JPG", "b.jpg", "C.jpg", "readme"} << QString();
    QTest::newRow("files of two folders, folder by folder")
        << QStringList{"x/", "Y/", "x/b.txt", "Y/a.txt", "x/A.txt"}
        << QStringList{"@/Y/a.txt", "@/x/b.txt", "@/x/A.txt"}
        << QStringList{"x/A.txt", "x/b.txt", "Y/a.txt"} << QString();
    QTest::newRow("one folder opens the directory dialog")
        << QStringList{"photos/", "photos/a.jpg"} << QStringList{"@/photos"} << unchanged
        << QStringLiteral("photos/");
    QTest::newRow("one folder given with its slash")
        << QStringList{"photos/"} << QStringList{"@/photos/"} << unchanged
        << QStringLiteral("photos/");
    QTest::newRow("a mix: the files, never the folder or the remote address")
        << QStringList{"sub/", "b.ab1", "a.seq"}
        << QStringList{"@/sub", "https://example.org/c.jpg", "@/b.ab1", "@/a.seq"}
        << QStringList{"a.seq", "b.ab1"} << QString();
    QTest::newRow("a remote address alone is ignored")
        << QStringList{} << QStringList{"https://example.org/a.jpg"} << unchanged << QString();
    QTest::newRow("a file on another host is ignored")
        << QStringList{"a.jpg"} << QStringList{"file://elsewhere.example#/a.jpg"} << unchanged
        << QString();
    QTest::newRow("two folders are ignored")
        << QStringList{"x/", "y/"} << QStringList{"@/x", "@/y"} << unchanged << QString();
    QTest::newRow("missing files and pipes are left out")
        << QStringList{"|pipe", "real.txt"} << QStringList{"@/gone.txt", "@/pipe", "@/real.txt"}
        << QStringList{"real.txt"} << QString();
    QTest::newRow("nothing but a pipe and a missing file is ignored")
        << QStringList{"|pipe"} << QStringList{"@/pipe", "@/gone.txt"} << unchanged << QString();
    QTest::newRow("links: to a file a file, to a folder a folder")
        << QStringList{"t/", "t/f.jpg", "lf.jpg>t/f.jpg", "ld>t"} << QStringList{"@/lf.jpg", "@/ld"}
        << QStringList{"lf.jpg"} << QString();
    QTest::newRow("a link to a folder alone opens the dialog")
        << QStringList{"t/", "ld>t"} << QStringList{"@/ld"} << unchanged << QStringLiteral("ld/");
    QTest::newRow("hidden files dropped on purpose are taken")
        << QStringList{".keep.txt", "b.txt"} << QStringList{"@/b.txt", "@/.keep.txt"}
        << QStringList{".keep.txt", "b.txt"} << QString();
    QTest::newRow("the same file twice is listed once")
        << QStringList{"a.txt"} << QStringList{"@/a.txt", "@/a.txt"} << QStringList{"a.txt"}
        << QString();
    QTest::newRow("names kept byte for byte")
        << QStringList{"caf%E9.jpg", "%E6%95%B0%E6%8D%AE%20a.jpg"}
        << QStringList{"@/caf%E9.jpg", "@/%E6%95%B0%E6%8D%AE%20a.jpg"}
        << QStringList{"caf%E9.jpg", "%E6%95%B0%E6%8D%AE%20a.jpg"} << QString();
}

void ListDropTest::dropsOnTheList() {
    QFETCH(QStringList, entries);
    QFETCH(QStringList, uris);
    QFETCH(QStringList, names);
    QFETCH(QString, dialogFolder);
    create(entries);
    QString openedWith;
    bool okEnabled = false;
    fake_->dialogs.scripts.push_back([&](QDialog& dialog) {
        openedWith = dialog.findChild<QLineEdit*>(QStringLiteral("ledtDir"))->text();
        okEnabled = dialog.findChild<QPushButton*>(QStringLiteral("bbtnOk"))->isEnabled();
        return int(QDialog::Rejected);
    });
    QByteArray uriList;
    for (const QString& uri : uris)
        uriList += uri.toLatin1()
                       .replace("@", base().toLatin1())
                       .replace("#", QUrl::fromLocalFile(dir_->path()).path().toLatin1()) +
                   "\r\n";
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), uriList);

    const bool letIn = dragAndDrop(data, Qt::CopyAction | Qt::MoveAction);

    Paths wanted = before;
    if (names != QStringList{QStringLiteral("=")}) {
        wanted.clear();
        for (const QString& name : names)
            wanted.push_back(path(name));
    }
    QCOMPARE(listed(), wanted);
    QCOMPARE(fake_->dialogs.runs, dialogFolder.isEmpty() ? 0 : 1);
    if (!dialogFolder.isEmpty()) {
        QCOMPARE(openedWith, dir_->filePath(dialogFolder));
        QVERIFY(okEnabled);
    }
    QCOMPARE(letIn, wanted != before || !dialogFolder.isEmpty());
    QVERIFY(fake_->messages.shown.empty()); // nothing usable is ignored without a word
}

void ListDropTest::theDropIsNeverAMove_data() {
    QTest::addColumn<int>("offered");
    QTest::addColumn<int>("chosen"); // 0: refused
    QTest::newRow("copy or move: copy")
        << int(Qt::CopyAction | Qt::MoveAction) << int(Qt::CopyAction);
    QTest::newRow("link or move: link")
        << int(Qt::LinkAction | Qt::MoveAction) << int(Qt::LinkAction);
    QTest::newRow("move only: refused") << int(Qt::MoveAction) << 0;
}

// A file manager told its files were moved may delete them; the list only
// notes where they are.
void ListDropTest::theDropIsNeverAMove() {
    QFETCH(int, offered);
    QFETCH(int, chosen);
    create({"a.txt"});
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(dir_->filePath(QStringLiteral("a.txt")))});
    Qt::DropAction action = Qt::IgnoreAction;
    const bool letIn = dragAndDrop(data, Qt::DropActions(offered), &action);
    QCOMPARE(letIn, chosen != 0);
    if (letIn)
        QCOMPARE(int(action), chosen);
    QCOMPARE(listed(), letIn ? Paths{path(QStringLiteral("a.txt"))} : before);
}

// The rest of the dialog works as after a browse: OK scans the folder.
void ListDropTest::aDroppedFolderIsScannedAtOk() {
    create({"photos/", "photos/b.JPG", "photos/a.png", "photos/c.txt"});
    fake_->dialogs.scripts.push_back([](QDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("bbtnOk")), Qt::LeftButton);
        return dialog.result();
    });
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(dir_->filePath(QStringLiteral("photos")))});
    QVERIFY(dragAndDrop(data, Qt::CopyAction));
    QCOMPARE(listed(),
             (Paths{path(QStringLiteral("photos/a.png")), path(QStringLiteral("photos/b.JPG"))}));
    QVERIFY(fake_->messages.shown.empty()); // "图片文件" is several patterns: no notice
}

QTEST_MAIN(ListDropTest)
#include "listdrop_test.moc"
