// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main.h"
#include "preview/imagebox.h"
#include "support/fakeservices.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorbel;
using quorbel::test::FakeServices;

// Moving to a row in the main window previews that row's file.
class PreviewRowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { main_.reset(); }

    void pictureRowShowsTheBox();
    void textRowHidesTheBox();
    void missingPictureRowStillBecomesCurrent();
    void refusedMoveStillPreviews();

private:
    std::string path(const char* name) const {
        return dir_.filePath(QString::fromLatin1(name)).toStdString();
    }

    QTemporaryDir dir_;
    FakeServices fake_;
    std::unique_ptr<TfrmMain> main_;
};

void PreviewRowTest::init() {
    QVERIFY(dir_.isValid());
    QImage picture(320, 200, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QVERIFY(picture.save(dir_.filePath(QStringLiteral("photo.png"))));
    QFile text(dir_.filePath(QStringLiteral("notes.txt")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("text");
    fake_.messages.shown.clear();
    main_ = std::make_unique<TfrmMain>(fake_.services(), LocaleFormat{});
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    main_->fillGrid({path("notes.txt"), path("photo.png"), path("gone.jpg")});
}

void PreviewRowTest::pictureRowShowsTheBox() {
    ImageBox* box = main_->ImgView();
    box->hide();
    QVERIFY(main_->renameList().requestCell(RenameList::NewName, 2));
    QVERIFY(box->isVisible());
    QVERIFY(box->hasPicture());
    QCOMPARE(box->picture().size(), box->size());
    const QPoint centre(box->width() / 2, box->height() / 2);
    QCOMPARE(box->picture().pixelColor(centre), QColor(Qt::blue));
}

void PreviewRowTest::textRowHidesTheBox() {
    QVERIFY(main_->renameList().requestCell(RenameList::NewName, 2));
    QVERIFY(main_->ImgView()->isVisible());
    QVERIFY(main_->renameList().requestCell(RenameList::NewName, 1));
    QVERIFY(main_->ImgView()->isHidden());
}

// The file was deleted behind the program's back: no error, the row can be
// reached and its new name typed, and the empty box lets "空空如也" show.
void PreviewRowTest::missingPictureRowStillBecomesCurrent() {
    QVERIFY(main_->renameList().requestCell(RenameList::NewName, 2));
    QVERIFY(main_->renameList().requestCell(RenameList::NewName, 3));
    QCOMPARE(main_->renameList().currentCell().row, 3);
    QVERIFY(main_->ImgView()->isVisible());
    QVERIFY(!main_->ImgView()->hasPicture());
    QVERIFY(fake_.messages.shown.empty());
}

// A click on a fixed cell of another row is refused, but that row is previewed.
void PreviewRowTest::refusedMoveStillPreviews() {
    QVERIFY(main_->renameList().requestCell(RenameList::NewName, 1));
    QVERIFY(!main_->renameList().requestCell(RenameList::Directory, 2));
    QCOMPARE(main_->renameList().currentCell().row, 1);
    QVERIFY(main_->ImgView()->hasPicture());
}

QTEST_MAIN(PreviewRowTest)
#include "previewrow_test.moc"
