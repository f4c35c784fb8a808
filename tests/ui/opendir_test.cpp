// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main.h"
#include "intake/filtercombobox.h"
#include "intake/opendir.h"
#include "support/fakeservices.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using namespace quorbel;
using quorbel::test::FakeServices;

namespace {

// The directory dialog's controls as a test drives them.
struct DirDialog {
    explicit DirDialog(QDialog& dialog)
        : dialog(static_cast<TfrmDir&>(dialog)),
          folder(dialog.findChild<QLineEdit*>(QStringLiteral("ledtDir"))),
          browse(dialog.findChild<QToolButton*>(QStringLiteral("SpeedButton1"))),
          ok(dialog.findChild<QPushButton*>(QStringLiteral("bbtnOk"))),
          cancel(dialog.findChild<QPushButton*>(QStringLiteral("BitBtn2"))),
          filter(dialog.findChild<FilterComboBox*>(QStringLiteral("fcbFilt"))),
          custom(dialog.findChild<QLineEdit*>(QStringLiteral("ledtUser"))),
          addEx(dialog.findChild<QPushButton*>(QStringLiteral("sbtAddEx"))) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    }

    void clickBrowse() { QTest::mouseClick(browse, Qt::LeftButton); }
    void chooseFilter(const QString& caption) { emit filter->activated(filter->findText(caption)); }
    void addCustom(const QString& text) {
        custom->setText(text);
        QTest::mouseClick(addEx, Qt::LeftButton);
    }

    TfrmDir& dialog;
    QLineEdit* folder;
    QToolButton* browse;
    QPushButton* ok;
    QPushButton* cancel;
    FilterComboBox* filter;
    QLineEdit* custom;
    QPushButton* addEx;
};

using Paths = std::vector<std::string>;

} // namespace

class OpenDirTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { startDirectory_ = QDir::currentPath(); }
    void init();
    void cleanup() { QDir::setCurrent(startDirectory_); }

    void opensInItsInitialState();
    void theActionIsHiddenWithoutShortcutYetRuns();
    void browsePathRules_data();
    void browsePathRules();
    void okStaysEnabledOnceABrowseWasConfirmed();
    void scanCases_data();
    void scanCases();
    void customEntryIsChosenAndShownWithOkUnchanged();
    void emptyFolderTextAsksForAFolder();
    void missingFolderGivesAnEmptyList();
    void typedRelativeFolderGivesFullPaths();
    void cancelLeavesTheListAlone();

private:
    // Entries are files unless they end in "/" (a folder).
    void create(const QStringList& entries) {
        for (const QString& entry : entries) {
            if (entry.endsWith(QLatin1Char('/'))) {
                QVERIFY(QDir(dir_->path()).mkdir(entry));
                continue;
            }
            QFile file(dir_->filePath(entry));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("x");
        }
    }
    // Runs "目录" with a script driving the dialog; returns what the list holds
    // after. The dialog must be gone when the command returns.
    Paths runDialog(const std::function<void(DirDialog&)>& script, int result = QDialog::Accepted) {
        QPointer<QDialog> shown;
        fake_.dialogs.scripts.push_back([&](QDialog& dialog) {
            shown = &dialog;
            DirDialog d(dialog);
            script(d);
            return result;
        });
        main_->actOpenDirExecute();
        if (shown)
            QTest::qFail("the dialog outlived its command", __FILE__, __LINE__);
        return listed();
    }
    Paths listed() {
        Paths paths;
        for (int row = 1; row < main_->renameList().RowCount(); ++row)
            paths.push_back(main_->renameList().oldPath(row));
        return paths;
    }
    std::string path(const QString& name) const {
        return QFile::encodeName(dir_->filePath(name)).toStdString();
    }
    // The texts of the message boxes shown. The directory import shows only
    // plain ones, text and OK with no icon, so any other kind is marked.
    QStringList messageTexts() const {
        QStringList texts;
        for (const auto& message : fake_.messages.shown) {
            const bool plain = message.kind == QStringLiteral("plain");
            texts << (plain ? message.text : message.kind + QStringLiteral(": ") + message.text);
        }
        return texts;
    }

    QString startDirectory_;
    std::unique_ptr<QTemporaryDir> dir_;
    FakeServices fake_;
    std::unique_ptr<TfrmMain> main_;
};

void OpenDirTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    fake_.messages.shown.clear();
    fake_.files.answers.clear();
    fake_.files.titles.clear();
    fake_.dialogs.scripts.clear();
    fake_.dialogs.runs = 0;
    main_ = std::make_unique<TfrmMain>(fake_.services(), LocaleFormat{});
    main_->fillGrid({"/before/kept.ab1"});
}

void OpenDirTest::opensInItsInitialState() {
    const Paths paths = runDialog(
        [&](DirDialog& d) {
            QCOMPARE(d.dialog.windowTitle(), QStringLiteral("选择目录"));
            QCOMPARE(d.dialog.size(), QSize(275, 166));
            QVERIFY(d.folder->text().isEmpty());
            QVERIFY(d.browse->isEnabled());
            QVERIFY(!d.ok->isEnabled());
            QVERIFY(d.ok->isDefault());
            QCOMPARE(d.ok->text(), QStringLiteral("OK"));
            QCOMPARE(d.cancel->text(), QStringLiteral("Cancel"));
            QVERIFY(d.cancel->isEnabled());
            QCOMPARE(d.filter->count(), 14);
            QCOMPARE(d.filter->currentText(), QStringLiteral("图片文件"));
            QCOMPARE(d.filter->itemText(10), QStringLiteral("测序图谱文件"));
            QCOMPARE(d.filter->itemText(11), QStringLiteral("序列文件"));
            QCOMPARE(d.filter->itemText(13), QStringLiteral("全部文件(*.*)"));
            QCOMPARE(d.custom->text(), QStringLiteral("*.*"));
            QCOMPARE(d.addEx->text(), QStringLiteral("增加"));
            auto* frame = d.filter->parentWidget();
            QCOMPARE(qobject_cast<QGroupBox*>(frame)->title(), QStringLiteral("格式选择"));
            // Escape closes it as Cancel does.
            QTest::keyClick(&d.dialog, Qt::Key_Escape);
            QVERIFY(!d.dialog.isVisible());
            QCOMPARE(d.dialog.result(), int(QDialog::Rejected));
        },
        QDialog::Rejected);
    QCOMPARE(paths, Paths{"/before/kept.ab1"});
    QVERIFY(fake_.files.titles.isEmpty());
}

// Its menu item and tool button exist but are hidden with it; the window's own
// handler still runs the command.
void OpenDirTest::theActionIsHiddenWithoutShortcutYetRuns() {
    QAction* action = main_->action("actOpenDir");
    QVERIFY(action);
    QCOMPARE(action->text(), QStringLiteral("目录"));
    QVERIFY(!action->isVisible());
    QVERIFY(action->shortcut().isEmpty());
    QCOMPARE(main_->menuBar()->actions().constFirst()->menu()->actions().constFirst(), action);
    QCOMPARE(main_->toolBar()->actions().constFirst(), action);
    main_->actOpenDirExecute();
    QCOMPARE(fake_.dialogs.runs, 1);
}

void OpenDirTest::browsePathRules_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("shown");
    QTest::newRow("folder gets its /") << "/data/Photos"
                                       << "/data/Photos/";
    QTest::newRow("root stays /") << "/"
                                  << "/";
    QTest::newRow("a / already there is kept") << "/data/x/"
                                               << "/data/x/";
    QTest::newRow("Chinese folder") << "/数据/照片"
                                    << "/数据/照片/";
}

void OpenDirTest::browsePathRules() {
    QFETCH(QString, chosen);
    QFETCH(QString, shown);
    fake_.files.answers = {chosen};
    runDialog(
        [&](DirDialog& d) {
            d.clickBrowse();
            QCOMPARE(d.folder->text(), shown);
            QVERIFY(d.ok->isEnabled());
        },
        QDialog::Rejected);
    QCOMPARE(fake_.files.titles, QStringList{"选择照片存放位置"});
}

void OpenDirTest::okStaysEnabledOnceABrowseWasConfirmed() {
    fake_.files.answers = {QString(), QStringLiteral("/first"), QString()};
    runDialog(
        [&](DirDialog& d) {
            QTest::keyClicks(d.folder, QStringLiteral("/typed"));
            QVERIFY(!d.ok->isEnabled()); // typing alone never enables it
            d.clickBrowse();             // cancelled
            QCOMPARE(d.folder->text(), QStringLiteral("/typed"));
            QVERIFY(!d.ok->isEnabled());
            d.clickBrowse(); // confirmed
            QCOMPARE(d.folder->text(), QStringLiteral("/first/"));
            QVERIFY(d.ok->isEnabled());
            d.clickBrowse(); // cancelled again: text and OK as they were
            QCOMPARE(d.folder->text(), QStringLiteral("/first/"));
            QVERIFY(d.ok->isEnabled());
            d.folder->clear();
            QVERIFY(d.ok->isEnabled());
            d.chooseFilter(QStringLiteral("序列文件"));
            QVERIFY(d.ok->isEnabled());
        },
        QDialog::Rejected);
    QCOMPARE(fake_.files.titles.size(), 3);
    QVERIFY(fake_.messages.shown.empty());
}

void OpenDirTest::scanCases_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("filter"); // a caption, or "+" and a custom text to add
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("pictures without hidden file or folder")
        << QStringList{"a.JPG", "b.jpeg", "e.txt", ".d.jpg", "set.jpg/"} << "图片文件"
        << QStringList{"a.JPG", "b.jpeg"} << QStringList{};
    QTest::newRow("sorted without regard to case")
        << QStringList{"B.jpg", "a.jpg", "D.jpg"} << "JPEG Image File (*.jpg)"
        << QStringList{"a.jpg", "B.jpg", "D.jpg"} << QStringList{".jpg"};
    QTest::newRow("last extension only; no dot, no extension")
        << QStringList{"x.tar.jpg", "jpg", "y.jpg.txt"} << "JPEG Image File (*.jpg)"
        << QStringList{"x.tar.jpg"} << QStringList{".jpg"};
    QTest::newRow("trace files with their message")
        << QStringList{"s1.ab1", "S2.AB1", "t.seq"} << "测序图谱文件"
        << QStringList{"s1.ab1", "S2.AB1"} << QStringList{".ab1"};
    QTest::newRow("every file") << QStringList{"a.txt", "README", "sub/", ".hidden"}
                                << "全部文件(*.*)" << QStringList{"a.txt", "README"}
                                << QStringList{".*"};
    QTest::newRow("custom *.jpg in any case")
        << QStringList{"A.JPG", "b.jpg", "c.png"} << "+ *.jpg " << QStringList{"A.JPG", "b.jpg"}
        << QStringList{"*.jpg", ".jpg"};
    QTest::newRow("custom wildcard")
        << QStringList{"a.jpg", "b.jpeg", "c.png"} << "+*.jp*" << QStringList{"a.jpg", "b.jpeg"}
        << QStringList{"*.jp*", ".jp*"};
    QTest::newRow("custom two patterns, no message at OK")
        << QStringList{"a.ab1", "b.SEQ", "c.txt"} << "+*.ab1;*.seq" << QStringList{"a.ab1", "b.SEQ"}
        << QStringList{"*.ab1;*.seq"};
    QTest::newRow("nothing matches: empty list")
        << QStringList{"a.txt"} << "Gif(*.gif)" << QStringList{} << QStringList{".gif"};
}

void OpenDirTest::scanCases() {
    QFETCH(QStringList, entries);
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, messages);
    create(entries);
    fake_.files.answers = {dir_->path()};
    const Paths paths = runDialog([&](DirDialog& d) {
        d.clickBrowse();
        if (filter.startsWith(QLatin1Char('+')))
            d.addCustom(filter.mid(1));
        else
            d.chooseFilter(filter);
    });
    Paths wanted;
    for (const QString& name : expected)
        wanted.push_back(path(name));
    QCOMPARE(paths, wanted);
    QCOMPARE(messageTexts(), messages);
}

void OpenDirTest::customEntryIsChosenAndShownWithOkUnchanged() {
    fake_.files.answers = {dir_->path()};
    runDialog(
        [&](DirDialog& d) {
            d.addCustom(QStringLiteral("  *.ab1 "));
            QCOMPARE(d.filter->count(), 15);
            QCOMPARE(d.filter->currentIndex(), 14);
            QCOMPARE(d.filter->currentText(), QStringLiteral("自定义(*.ab1)"));
            QCOMPARE(d.dialog.mask(), std::string("*.ab1"));
            QVERIFY(!d.ok->isEnabled());
            d.clickBrowse();
            d.addCustom(QStringLiteral("*.ab1"));
            QCOMPARE(d.filter->count(), 16);
            QCOMPARE(d.filter->currentIndex(), 15);
            QVERIFY(d.ok->isEnabled());
        },
        QDialog::Rejected);
    QCOMPARE(messageTexts(), (QStringList{"*.ab1", "*.ab1"}));
}

void OpenDirTest::emptyFolderTextAsksForAFolder() {
    create({"a.jpg"});
    fake_.files.answers = {dir_->path()};
    const Paths paths = runDialog([&](DirDialog& d) {
        d.clickBrowse();
        d.folder->clear();
        d.chooseFilter(QStringLiteral("JPEG Image File (*.jpg)"));
    });
    QCOMPARE(paths, Paths{"/before/kept.ab1"});
    QCOMPARE(messageTexts(), QStringList{"请选择目录"});
}

void OpenDirTest::missingFolderGivesAnEmptyList() {
    fake_.files.answers = {dir_->path()};
    const Paths paths = runDialog([&](DirDialog& d) {
        d.clickBrowse();
        d.folder->setText(dir_->filePath(QStringLiteral("gone")));
    });
    QCOMPARE(paths, Paths{});
    QVERIFY(fake_.messages.shown.empty());
}

void OpenDirTest::typedRelativeFolderGivesFullPaths() {
    create({"sub/", "sub/a.jpg"});
    QVERIFY(QDir::setCurrent(dir_->path()));
    fake_.files.answers = {QStringLiteral("/elsewhere")};
    const Paths paths = runDialog([&](DirDialog& d) {
        d.clickBrowse();
        d.folder->setText(QStringLiteral("sub"));
    });
    QCOMPARE(paths, Paths{path(QStringLiteral("sub/a.jpg"))});
}

void OpenDirTest::cancelLeavesTheListAlone() {
    create({"a.jpg"});
    fake_.files.answers = {dir_->path()};
    const Paths paths = runDialog(
        [&](DirDialog& d) {
            d.clickBrowse();
            d.addCustom(QStringLiteral("*.jpg"));
            QTest::mouseClick(d.cancel, Qt::LeftButton);
            QCOMPARE(d.dialog.result(), int(QDialog::Rejected));
        },
        QDialog::Rejected);
    QCOMPARE(paths, Paths{"/before/kept.ab1"});
    QCOMPARE(messageTexts(), QStringList{"*.jpg"});
}

QTEST_MAIN(OpenDirTest)
#include "opendir_test.moc"
