// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main.h"
#include "intake/directorylistbox.h"
#include "intake/filelistbox.h"
#include "intake/filtercombobox.h"
#include "intake/loadpicture.h"
#include "preview/imagebox.h"
#include "support/fakeservices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorbel;
using quorbel::test::FakeServices;

namespace {

// The chooser's controls as a test drives them.
struct Chooser {
    explicit Chooser(QDialog& dialog)
        : dialog(static_cast<TfrmLoadPic&>(dialog)),
          files(dialog.findChild<FileListBox*>(QStringLiteral("flbFileList"))),
          folders(dialog.findChild<DirectoryListBox*>(QStringLiteral("dlbFoldList"))),
          filter(dialog.findChild<FilterComboBox*>(QStringLiteral("fcbFilt"))),
          selType(dialog.findChild<QCheckBox*>(QStringLiteral("ckbSelType"))),
          viewPic(dialog.findChild<QCheckBox*>(QStringLiteral("ckbViewPic"))),
          custom(dialog.findChild<QLineEdit*>(QStringLiteral("ledtUser"))),
          addEx(dialog.findChild<QPushButton*>(QStringLiteral("sbtAddEx"))),
          addAll(dialog.findChild<QPushButton*>(QStringLiteral("sbtAddAll"))),
          ok(dialog.findChild<QPushButton*>(QStringLiteral("bbtnOk"))),
          box(dialog.findChild<ImageBox*>(QStringLiteral("ImgView"))),
          info(dialog.findChild<QLabel*>(QStringLiteral("lbInfo"))) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    }

    QStringList names() const {
        QStringList shown;
        for (int i = 0; i < files->count(); ++i)
            shown << files->item(i)->text();
        return shown;
    }
    void click(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(files->viewport(), Qt::LeftButton, modifiers,
                          files->visualItemRect(files->item(row)).center());
    }
    // On the box itself: the check box takes clicks only on its indicator and text.
    void toggle(QCheckBox* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    void chooseFilter(const QString& caption) { emit filter->activated(filter->findText(caption)); }
    void addCustom(const QString& text) {
        custom->setText(text);
        QTest::mouseClick(addEx, Qt::LeftButton);
    }

    TfrmLoadPic& dialog;
    FileListBox* files;
    DirectoryListBox* folders;
    FilterComboBox* filter;
    QCheckBox* selType;
    QCheckBox* viewPic;
    QLineEdit* custom;
    QPushButton* addEx;
    QPushButton* addAll;
    QPushButton* ok;
    ImageBox* box;
    QLabel* info;
};

} // namespace

class LoadPictureTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { startDirectory_ = QDir::currentPath(); }
    void init();
    void cleanup() { QDir::setCurrent(startDirectory_); }

    void opensInItsInitialState();
    void picturesSortedCaseBlindAndHandedOverInOrder();
    void countCoversFilesThatAreNotPictures();
    void changingTheFilterDisablesOk();
    void ctrlClickDeselectionKeepsOkEnabled();
    void customEntryListsOnlyItsFiles();
    void fileMatchedByTwoPatternsIsHandedOverTwice();
    void switchingSelectionModeClearsTheSelection();
    void pictureSizeLabelAndTextFileHidingTheBox();
    void undecodablePictureShowsZeroSizeWithoutError();
    void sidewaysPhotoIsLabelledUpright();
    void previewOffLeavesTheBoxAsItWas();
    void browsingMovesTheWorkingDirectory();
    void enterOnAFolderThatCannotBeEnteredKeepsTheDialogOpen();
    void reenteringTheCurrentFolderIsNoChange();
    void choosingAMountPointReturnsToItsCurrentFolder();
    void rootPathsHaveOneSlash();
    void cancelLeavesTheListAlone();

private:
    void picture(const QString& name, QSize size = QSize(8, 6)) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(dir_->filePath(name), "png"));
    }
    void text(const QString& name, const QByteArray& content = "text") {
        QFile file(dir_->filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    // Runs "文件" with a script driving the chooser; returns what the list holds after.
    // Test failures inside the script return from it early; the result still stands.
    std::vector<std::string> runChooser(const std::function<void(Chooser&)>& script,
                                        int result = QDialog::Accepted) {
        fake_.dialogs.scripts.push_back([&](QDialog& dialog) {
            Chooser chooser(dialog);
            script(chooser);
            return result;
        });
        main_->actOpenFileExecute();
        std::vector<std::string> paths;
        for (int row = 1; row < main_->renameList().RowCount(); ++row)
            paths.push_back(main_->renameList().oldPath(row));
        return paths;
    }
    std::string path(const char* name) const {
        return QFile::encodeName(dir_->filePath(name)).toStdString();
    }

    QString startDirectory_;
    std::unique_ptr<QTemporaryDir> dir_;
    FakeServices fake_;
    std::unique_ptr<TfrmMain> main_;
};

void LoadPictureTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(QDir::setCurrent(dir_->path()));
    fake_.messages.shown.clear();
    main_ = std::make_unique<TfrmMain>(fake_.services(), LocaleFormat{});
}

void LoadPictureTest::opensInItsInitialState() {
    picture(QStringLiteral("a.png"));
    runChooser(
        [&](Chooser& c) {
            QCOMPARE(c.dialog.windowTitle(), QStringLiteral("调入图像"));
            QCOMPARE(c.filter->count(), 15);
            QCOMPARE(c.filter->currentText(), QStringLiteral("图片文件"));
            QCOMPARE(c.filter->itemText(14), QStringLiteral("全部文件(*.*)"));
            QCOMPARE(c.files->mask(),
                     std::string("*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.png;*.tif;*.gif"));
            QCOMPARE(c.folders->directory(), dir_->path());
            QCOMPARE(c.names(), QStringList{"a.png"});
            QVERIFY(c.selType->isChecked());
            QVERIFY(c.viewPic->isChecked());
            QCOMPARE(c.custom->text(), QStringLiteral("*.*"));
            QVERIFY(!c.ok->isEnabled());
            QVERIFY(c.ok->isDefault());
            QVERIFY(c.box->isVisible());
            QVERIFY(!c.box->hasPicture());
            QCOMPARE(c.box->size(), QSize(121, 120));
            QCOMPARE(c.dialog.size(), QSize(497, 469));
            QVERIFY(c.info->text().isEmpty());
            QVERIFY(c.dialog.statusText().isEmpty());
        },
        QDialog::Rejected);
}

void LoadPictureTest::picturesSortedCaseBlindAndHandedOverInOrder() {
    picture(QStringLiteral("b.jpg"));
    picture(QStringLiteral("A.JPG"));
    picture(QStringLiteral("d.png"));
    text(QStringLiteral("notes.txt"));
    QDir(dir_->path()).mkdir(QStringLiteral("sub.jpg"));
    picture(QStringLiteral(".hidden.jpg"));
    const auto paths = runChooser([&](Chooser& c) {
        QCOMPARE(c.names(), (QStringList{"A.JPG", "b.jpg", "d.png"}));
        QTest::mouseClick(c.addAll, Qt::LeftButton);
        QCOMPARE(c.dialog.statusText(), QStringLiteral("共选中:3个图片"));
        QVERIFY(c.ok->isEnabled());
    });
    QCOMPARE(paths, (std::vector<std::string>{path("A.JPG"), path("b.jpg"), path("d.png")}));
    QVERIFY(fake_.messages.shown.empty());
}

void LoadPictureTest::countCoversFilesThatAreNotPictures() {
    for (const char* name : {"one.txt", "two.txt", "three.txt"})
        text(QString::fromLatin1(name));
    runChooser([&](Chooser& c) {
        c.chooseFilter(QStringLiteral("文本文件(*.txt)"));
        QCOMPARE(c.names(), (QStringList{"one.txt", "three.txt", "two.txt"}));
        c.click(0);
        QCOMPARE(c.dialog.statusText(), QStringLiteral("共选中:1个图片"));
        c.click(2, Qt::ShiftModifier);
        QCOMPARE(c.dialog.statusText(), QStringLiteral("共选中:3个图片"));
        QVERIFY(c.ok->isEnabled());
        QVERIFY(c.box->isHidden()); // a text file hides the preview
    });
    QCOMPARE(main_->renameList().RowCount(), 4);
}

void LoadPictureTest::changingTheFilterDisablesOk() {
    text(QStringLiteral("one.txt"));
    picture(QStringLiteral("a.png"));
    runChooser(
        [&](Chooser& c) {
            c.click(0);
            QVERIFY(c.ok->isEnabled());
            c.chooseFilter(QStringLiteral("文本文件(*.txt)"));
            QCOMPARE(c.names(), QStringList{"one.txt"});
            QVERIFY(!c.ok->isEnabled());
            QVERIFY(c.dialog.statusText().isEmpty());
            QVERIFY(!c.box->hasPicture());
            QVERIFY(c.info->text().isEmpty());
        },
        QDialog::Rejected);
}

void LoadPictureTest::ctrlClickDeselectionKeepsOkEnabled() {
    picture(QStringLiteral("a.png"), QSize(40, 30));
    const auto paths = runChooser([&](Chooser& c) {
        c.click(0);
        QVERIFY(c.box->hasPicture());
        QCOMPARE(c.info->text(), QStringLiteral("宽:40 高:30"));
        c.click(0, Qt::ControlModifier);
        QCOMPARE(c.files->selectedCount(), 0);
        QCOMPARE(c.dialog.statusText(), QStringLiteral("共选中:0个图片"));
        QVERIFY(c.ok->isEnabled());
        QVERIFY(c.box->hasPicture()); // the preview is left as it was
        QCOMPARE(c.info->text(), QStringLiteral("宽:40 高:30"));
    });
    QVERIFY(paths.empty());
}

void LoadPictureTest::customEntryListsOnlyItsFiles() {
    text(QStringLiteral("x.ab1"));
    text(QStringLiteral("Y.AB1"));
    text(QStringLiteral("z.txt"));
    picture(QStringLiteral("w.jpg"));
    runChooser(
        [&](Chooser& c) {
            c.click(0);
            QVERIFY(c.ok->isEnabled());
            c.addCustom(QStringLiteral(" *.ab1 "));
            QCOMPARE(c.filter->count(), 16);
            QCOMPARE(c.filter->currentIndex(), 15);
            QCOMPARE(c.filter->currentText(), QStringLiteral("自定义(*.ab1)"));
            QCOMPARE(c.files->mask(), std::string("*.ab1"));
            QCOMPARE(c.names(), (QStringList{"x.ab1", "Y.AB1"}));
            QVERIFY(!c.ok->isEnabled());
            QVERIFY(c.dialog.statusText().isEmpty());
            QVERIFY(!c.box->hasPicture());
            QVERIFY(c.info->text().isEmpty());
            c.addCustom(QStringLiteral("*.ab1"));
            QCOMPARE(c.filter->count(), 17);
            QCOMPARE(c.filter->currentIndex(), 16);
            QCOMPARE(c.filter->itemText(15), c.filter->itemText(16));
            c.addCustom(QString());
            QCOMPARE(c.filter->currentText(), QStringLiteral("自定义()"));
            QVERIFY(c.names().isEmpty());
        },
        QDialog::Rejected);
}

void LoadPictureTest::fileMatchedByTwoPatternsIsHandedOverTwice() {
    picture(QStringLiteral("p.jpg"));
    text(QStringLiteral("q.txt"));
    const auto paths = runChooser([&](Chooser& c) {
        c.addCustom(QStringLiteral("*.*;*.jpg"));
        QCOMPARE(c.names(), (QStringList{"p.jpg", "p.jpg", "q.txt"}));
        c.click(0);
        c.click(1, Qt::ControlModifier);
        QCOMPARE(c.dialog.statusText(), QStringLiteral("共选中:2个图片"));
    });
    QCOMPARE(paths, (std::vector<std::string>{path("p.jpg"), path("p.jpg")}));
}

void LoadPictureTest::switchingSelectionModeClearsTheSelection() {
    for (const char* name : {"a.png", "b.png", "c.png"})
        picture(QString::fromLatin1(name));
    runChooser(
        [&](Chooser& c) {
            c.click(0);
            QVERIFY(c.ok->isEnabled());
            c.toggle(c.selType);
            QVERIFY(!c.selType->isChecked());
            QCOMPARE(c.files->selectedCount(), 0);
            QVERIFY(!c.ok->isEnabled());
            QVERIFY(c.dialog.statusText().isEmpty());
            c.click(0); // each click now toggles its item alone
            c.click(2);
            QCOMPARE(c.files->selectedCount(), 2);
            c.click(0);
            QCOMPARE(c.files->selectedCount(), 1);
            c.toggle(c.selType);
            QVERIFY(c.selType->isChecked());
            QCOMPARE(c.files->selectedCount(), 0);
            QVERIFY(!c.ok->isEnabled());
        },
        QDialog::Rejected);
}

void LoadPictureTest::pictureSizeLabelAndTextFileHidingTheBox() {
    picture(QStringLiteral("photo.png"), QSize(640, 480));
    text(QStringLiteral("readme.txt"));
    runChooser(
        [&](Chooser& c) {
            c.chooseFilter(QStringLiteral("全部文件(*.*)"));
            QCOMPARE(c.names(), (QStringList{"photo.png", "readme.txt"}));
            c.click(0);
            QCOMPARE(c.info->text(), QStringLiteral("宽:640 高:480"));
            QVERIFY(c.box->isVisible());
            QCOMPARE(c.box->picture().pixelColor(60, 13), QColor(Qt::white)); // 121 x 91 at (0, 14)
            QCOMPARE(c.box->picture().pixelColor(60, 60), QColor(Qt::red));
            c.click(1);
            QVERIFY(c.box->isHidden());
            QCOMPARE(c.info->text(), QStringLiteral("宽:640 高:480"));
            c.click(0);
            QVERIFY(c.box->isVisible());
        },
        QDialog::Rejected);
}

// A portrait photograph stored a quarter turn off (EXIF orientation 6),
// 320 x 160 as stored: the label gives the size as the photograph stands.
void LoadPictureTest::sidewaysPhotoIsLabelledUpright() {
    QVERIFY(QFile::copy(QStringLiteral(QUORBEL_FIXTURES "/preview/sideways-exiftool.jpg"),
                        dir_->filePath(QStringLiteral("portrait.jpg"))));
    runChooser(
        [&](Chooser& c) {
            c.click(0);
            QCOMPARE(c.info->text(), QStringLiteral("宽:160 高:320"));
            QCOMPARE(c.box->picture().pixelColor(10, 60), QColor(Qt::white)); // 60 x 120 at x 30
            QVERIFY(c.box->picture().pixelColor(60, 60).green() > 200);
        },
        QDialog::Rejected);
}

void LoadPictureTest::undecodablePictureShowsZeroSizeWithoutError() {
    picture(QStringLiteral("a.png"));
    text(QStringLiteral("broken.jpg"), "no picture here");
    runChooser(
        [&](Chooser& c) {
            c.click(0);
            QVERIFY(c.box->hasPicture());
            c.click(1);
            QCOMPARE(c.info->text(), QStringLiteral("宽:0 高:0"));
            QVERIFY(c.box->isVisible());
            QVERIFY(!c.box->hasPicture());
            QVERIFY(c.files->isItemSelected(1));
            QCOMPARE(c.dialog.statusText(), QStringLiteral("共选中:1个图片"));
            QVERIFY(c.ok->isEnabled());
        },
        QDialog::Rejected);
    QVERIFY(fake_.messages.shown.empty());
}

void LoadPictureTest::previewOffLeavesTheBoxAsItWas() {
    picture(QStringLiteral("a.png"));
    picture(QStringLiteral("b.png"), QSize(30, 20));
    runChooser(
        [&](Chooser& c) {
            c.click(0);
            const QImage before = c.box->picture();
            c.toggle(c.viewPic);
            QVERIFY(!c.viewPic->isChecked());
            c.click(1);
            QCOMPARE(c.box->picture(), before);
            QCOMPARE(c.info->text(), QStringLiteral("宽:8 高:6"));
            QCOMPARE(c.dialog.statusText(), QStringLiteral("共选中:1个图片"));
        },
        QDialog::Rejected);
}

void LoadPictureTest::browsingMovesTheWorkingDirectory() {
    QDir(dir_->path()).mkdir(QStringLiteral("inner"));
    picture(QStringLiteral("inner/in.png"));
    picture(QStringLiteral("out.png"));
    const QString inner = dir_->filePath(QStringLiteral("inner"));
    const auto paths = runChooser([&](Chooser& c) {
        c.click(0);
        QVERIFY(c.ok->isEnabled());
        emit c.folders->entryActivated(inner);
        QCOMPARE(c.folders->directory(), inner);
        QCOMPARE(QDir::currentPath(), inner);
        QCOMPARE(c.names(), QStringList{"in.png"});
        QVERIFY(!c.ok->isEnabled());
        emit c.folders->entryActivated(dir_->filePath(QStringLiteral("absent")));
        QCOMPARE(fake_.messages.shown.size(), size_t(1)); // reported, the dialog stays where it was
        QCOMPARE(c.folders->directory(), inner);
        QTest::mouseClick(c.addAll, Qt::LeftButton);
    });
    QCOMPARE(paths, std::vector<std::string>{path("inner/in.png")});
    // The next chooser opens where this one was left.
    runChooser([&](Chooser& c) { QCOMPARE(c.folders->directory(), inner); }, QDialog::Rejected);
}

void LoadPictureTest::enterOnAFolderThatCannotBeEnteredKeepsTheDialogOpen() {
    QDir(dir_->path()).mkdir(QStringLiteral("gone"));
    picture(QStringLiteral("a.png"));
    runChooser(
        [&](Chooser& c) {
            c.click(0);
            QVERIFY(c.ok->isEnabled());
            const auto entries = c.folders->findItems(QStringLiteral("gone"), Qt::MatchEndsWith);
            QCOMPARE(entries.size(), 1);
            c.folders->setCurrentItem(entries.first());
            QVERIFY(QDir(dir_->path()).rmdir(QStringLiteral("gone")));
            c.folders->setFocus();
            QTest::keyClick(c.folders, Qt::Key_Return);
            QCOMPARE(fake_.messages.shown.size(), size_t(1));
            QVERIFY(c.dialog.isVisible());
            QCOMPARE(c.dialog.result(), int(QDialog::Rejected)); // OK was not pressed
            QCOMPARE(c.folders->directory(), dir_->path());
            QVERIFY(c.ok->isEnabled());
        },
        QDialog::Rejected);
    QCOMPARE(main_->renameList().RowCount(), 2); // the start state: nothing filled
}

void LoadPictureTest::reenteringTheCurrentFolderIsNoChange() {
    picture(QStringLiteral("a.png"), QSize(40, 30));
    runChooser(
        [&](Chooser& c) {
            c.click(0);
            QVERIFY(c.box->hasPicture());
            const QString status = c.dialog.statusText();
            QListWidgetItem* own = c.folders->currentItem();
            QVERIFY(own);
            QTest::mouseDClick(c.folders->viewport(), Qt::LeftButton, {},
                               c.folders->visualItemRect(own).center());
            emit c.folders->entryActivated(dir_->path() + QStringLiteral("/"));
            QCOMPARE(c.folders->directory(), dir_->path());
            QVERIFY(c.ok->isEnabled());
            QVERIFY(c.files->isItemSelected(0));
            QVERIFY(c.box->hasPicture());
            QCOMPARE(c.info->text(), QStringLiteral("宽:40 高:30"));
            QCOMPARE(c.dialog.statusText(), status);
        },
        QDialog::Rejected);
    QVERIFY(fake_.messages.shown.empty());
}

// Each mount point keeps its own current folder, as drives do: choosing the
// one shown stays where the list is, choosing another and coming back returns.
void LoadPictureTest::choosingAMountPointReturnsToItsCurrentFolder() {
    QDir(dir_->path()).mkdir(QStringLiteral("inner"));
    picture(QStringLiteral("inner/in.png"));
    const QString inner = dir_->filePath(QStringLiteral("inner"));
    runChooser(
        [&](Chooser& c) {
            auto* drives = c.dialog.findChild<QComboBox*>(QStringLiteral("dcbDirver"));
            emit c.folders->entryActivated(inner);
            c.click(0);
            QVERIFY(c.ok->isEnabled());
            const int shown = drives->currentIndex();
            QVERIFY(shown >= 0);
            emit drives->activated(shown);
            QCOMPARE(c.folders->directory(), inner);
            QVERIFY(c.ok->isEnabled()); // no change, so nothing was reset
            QVERIFY(c.files->isItemSelected(0));
            int other = -1;
            for (int i = 0; i < drives->count() && other < 0; ++i) {
                if (i != shown && QDir(drives->itemData(i).toString()).isReadable())
                    other = i;
            }
            if (other < 0)
                return; // a machine with one file system has nowhere else to go
            emit drives->activated(other);
            QVERIFY(c.folders->directory() != inner);
            QCOMPARE(drives->currentIndex(), other);
            emit drives->activated(drives->findData(drives->itemData(shown)));
            QCOMPARE(c.folders->directory(), inner);
        },
        QDialog::Rejected);
    QVERIFY(fake_.messages.shown.empty());
}

// The folder list reaches the root; whatever it holds, each path has exactly one "/" before the
// name.
void LoadPictureTest::rootPathsHaveOneSlash() {
    const auto paths = runChooser([&](Chooser& c) {
        auto* drives = c.dialog.findChild<QComboBox*>(QStringLiteral("dcbDirver"));
        QVERIFY(drives->currentIndex() >= 0);
        QVERIFY(dir_->path().startsWith(drives->currentText()));
        emit c.folders->entryActivated(QStringLiteral("/"));
        QCOMPARE(c.folders->directory(), QStringLiteral("/"));
        QCOMPARE(c.files->directory(), std::string("/"));
        QCOMPARE(drives->currentText(), QStringLiteral("/"));
        c.chooseFilter(QStringLiteral("全部文件(*.*)"));
        QTest::mouseClick(c.addAll, Qt::LeftButton);
        c.dialog.AllowDoOK();
    });
    for (const std::string& p : paths) {
        QVERIFY2(p.starts_with('/') && !p.starts_with("//"), p.c_str());
        QVERIFY2(p.find('/', 1) == std::string::npos, p.c_str());
    }
    if (paths.empty())
        QSKIP("the root holds no files to hand over");
}

void LoadPictureTest::cancelLeavesTheListAlone() {
    picture(QStringLiteral("a.png"));
    main_->fillGrid({"/somewhere/kept.ab1"});
    const auto paths = runChooser([&](Chooser& c) { QTest::mouseClick(c.addAll, Qt::LeftButton); },
                                  QDialog::Rejected);
    QCOMPARE(paths, std::vector<std::string>{"/somewhere/kept.ab1"});
}

QTEST_MAIN(LoadPictureTest)
#include "loadpicture_test.moc"
