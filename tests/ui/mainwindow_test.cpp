// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about.h"
#include "app/appicons.h"
#include "app/main.h"
#include "intake/loadpicture.h"
#include "intake/opendir.h"
#include "platform/errordisplay.h"
#include "preview/imagebox.h"
#include "renamelist/renamegrid.h"
#include "renamelist/renamelistmodel.h"
#include "renamelist/rowindicator.h"
#include "renamelist/sortheader.h"
#include "support/fakeservices.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <memory>
#include <stdexcept>

using namespace quorbel;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::FakeServices> fakes;
    std::unique_ptr<TfrmMain> window;

    RenameGrid* grid() { return window->advGrid(); }
    RenameList& list() { return window->renameList(); }

    QPoint cellCentre(int column, int listRow) {
        return grid()->visualRect(grid()->listModel()->indexOfCell(column, listRow)).center();
    }
    void clickCell(int column, int listRow) {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cellCentre(column, listRow));
    }
    void clickHeader(int column, int offsetFromLeft) {
        SortHeader* header = grid()->sortHeader();
        const int x = header->sectionViewportPosition(column) + offsetFromLeft;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }
    void fill(const QStringList& names) {
        std::vector<std::string> paths;
        for (const QString& name : names)
            paths.push_back("/data/" + name.toStdString());
        window->fillGrid(paths);
    }
    QStringList oldNames() {
        QStringList names;
        for (int row = 1; row < list().RowCount(); ++row)
            names << QString::fromStdString(list().getCell(RenameList::OldName, row));
        return names;
    }
    static QStringList visibleItems(const QList<QAction*>& actions) {
        QStringList items;
        for (QAction* action : actions) {
            if (action->isSeparator())
                items << QStringLiteral("-");
            else if (action->isVisible())
                items << action->objectName();
        }
        return items;
    }

private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Quorbel")); }

    void init() {
        fakes = std::make_unique<test::FakeServices>();
        window = std::make_unique<TfrmMain>(fakes->services(), LocaleFormat{});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() { window.reset(); }

    void startState() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Quorbel V2.4"));
        QCOMPARE(window->frameGeometry().size(), QSize(601, 507));
        QCOMPARE(grid()->model()->rowCount(), 1);
        QCOMPARE(grid()->model()->headerData(2, Qt::Horizontal).toString(),
                 QStringLiteral("原名称"));
        QVERIFY(window->memFile()->toPlainText().isEmpty());
        QVERIFY(!window->pb()->isVisible());
        QVERIFY(window->statusText().isEmpty());
        QCOMPARE(window->previewPanel()->text(), QStringLiteral("空空如也"));
        QVERIFY(!window->ImgView()->hasPicture());
        QCOMPARE(window->findChild<QGroupBox*>(QStringLiteral("GroupBox2"))->title(),
                 QStringLiteral("文件处理失败列表"));
    }

    void menusAndToolBarFollowTheActionTable() {
        const QList<QAction*> menus = window->menuBar()->actions();
        QCOMPARE(menus.size(), 3);
        QCOMPARE(menus[0]->text(), QStringLiteral("文件"));
        QCOMPARE(visibleItems(menus[0]->menu()->actions()),
                 QStringList({"actOpenFile", "-", "actSaveToExcel", "-", "actExit"}));
        QCOMPARE(visibleItems(menus[1]->menu()->actions()),
                 QStringList({"actExcel", "actBH", "actReplace", "actDateName", "actPrecheck",
                              "actRename", "actUndo", "-", "actClearResult"}));
        QCOMPARE(visibleItems(menus[2]->menu()->actions()), QStringList({"actAbout"}));
        QStringList buttons;
        for (QAction* action : window->toolBar()->actions()) {
            QWidget* widget = window->toolBar()->widgetForAction(action);
            if (!widget || !widget->isVisible())
                continue;
            buttons << (qobject_cast<QToolButton*>(widget) ? action->objectName()
                                                           : QStringLiteral("|"));
        }
        QCOMPARE(buttons, QStringList({"actOpenFile", "|", "actSaveToExcel", "actExcel", "actBH",
                                       "actRename", "actClearResult", "|", "actAbout", "actExit"}));
        QCOMPARE(window->action("actExcel")->toolTip(), QStringLiteral("使用对应表填充新名称"));
        QCOMPARE(window->action("actOpenFile")->text(), QStringLiteral("文件"));
        QVERIFY(!window->action("actOpenDir")->isVisible());
        QCOMPARE(window->action("actPrecheck")->text(), QStringLiteral("预检"));
        QCOMPARE(window->action("actUndo")->text(), QStringLiteral("撤销换名"));
    }

    void aboutOpensAnyNumberOfTimesAndLinksGoThroughShellOpen() {
        fakes->links = {"https://quorbel.test/", "https://quorbel.test/faq", "lab@quorbel.test"};
        window = std::make_unique<TfrmMain>(fakes->services(), LocaleFormat{});
        for (int opening = 0; opening < 2; ++opening) {
            fakes->dialogs.scripts.push_back([](QDialog& dialog) {
                auto& about = dynamic_cast<TAboutBox&>(dialog);
                about.CommentsClick();
                about.Label2Click();
                about.Label4Click();
                return int(QDialog::Accepted);
            });
            window->action("actAbout")->trigger();
        }
        QCOMPARE(fakes->dialogs.runs, 2);
        const std::vector<std::string> once = {"https://quorbel.test/", "https://quorbel.test/faq",
                                               "Mailto:lab@quorbel.test"};
        std::vector<std::string> twice = once;
        twice.insert(twice.end(), once.begin(), once.end());
        QCOMPARE(fakes->shell.opened, twice);
    }

    // The icon lives in a resource of a static library, which the linker drops
    // unless something names it.
    void programIconComesFromTheBundledPictures() {
        const QIcon icon = programIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
        QVERIFY(icon.availableSizes().contains(QSize(256, 256)));
        QCOMPARE(icon.pixmap(48, 48).size(), QSize(48, 48));
    }

    void firstClickOnColumnZeroReverses() {
        fill({"c.jpg", "a.jpg", "b.jpg"});
        clickHeader(0, 3); // the narrow column 0 sorts only on its middle pixels
        QCOMPARE(oldNames(), QStringList({"c", "a", "b"}));
        clickHeader(0, 5);
        QCOMPARE(oldNames(), QStringList({"b", "a", "c"}));
        QCOMPARE(QString::fromStdString(list().getCell(RenameList::Number, 1)),
                 QStringLiteral("1"));
    }

    void headerClickSortsAwayFromBorders() {
        fill({"c.jpg", "a.jpg", "b.jpg"});
        clickHeader(RenameList::OldName, 2); // within the resize margin
        QCOMPARE(oldNames(), QStringList({"c", "a", "b"}));
        clickHeader(RenameList::OldName, 30);
        QCOMPARE(oldNames(), QStringList({"a", "b", "c"}));
        QCOMPARE(QString::fromStdString(list().getCell(RenameList::Number, 1)),
                 QStringLiteral("1"));
        QVERIFY(grid()->sortHeader()->isSortIndicatorShown());
        clickHeader(RenameList::OldName, 30);
        QCOMPARE(oldNames(), QStringList({"c", "b", "a"}));
    }

    void dragOfAColumnBorderDoesNotSort() {
        fill({"c.jpg", "a.jpg", "b.jpg"});
        SortHeader* header = grid()->sortHeader();
        const int border = header->sectionViewportPosition(RenameList::OldName) +
                           header->sectionSize(RenameList::OldName) - 1;
        const int y = header->height() / 2;
        const int width = header->sectionSize(RenameList::OldName);
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(border, y));
        QMouseEvent move(QEvent::MouseMove, QPointF(border + 40, y),
                         header->viewport()->mapToGlobal(QPointF(border + 40, y)), Qt::NoButton,
                         Qt::LeftButton, {});
        QCoreApplication::sendEvent(header->viewport(), &move);
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(border - 30, y));
        QVERIFY(header->sectionSize(RenameList::OldName) != width);
        QCOMPARE(oldNames(), QStringList({"c", "a", "b"}));
    }

    void headerClickWithOneFileRowLeavesTheEditorOpen() {
        fill({"only.jpg"});
        int sorts = 0;
        list().OnClickSort = [&](int) { ++sorts; };
        clickCell(RenameList::NewName, 1);
        QTest::keyClick(grid(), 'x');
        QPointer<QLineEdit> editor = grid()->findChild<QLineEdit*>();
        QVERIFY(editor && editor->isVisible());
        clickHeader(RenameList::OldName, 30);
        QCoreApplication::processEvents();
        QCOMPARE(sorts, 0);
        QVERIFY(editor && editor->isVisible());
        QTest::keyClicks(editor, QStringLiteral("y"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(list().getCell(RenameList::NewName, 1), std::string("xy"));
    }

    void toolBarOffersNoPopUpOfItsOwn() {
        QToolBar* bar = window->toolBar();
        const QPoint at(bar->width() - 5, bar->height() / 2);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, bar->mapToGlobal(at));
        QCoreApplication::sendEvent(bar, &click);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QCOMPARE(window->createPopupMenu(), nullptr);
        QVERIFY(bar->isVisible());
    }

    // The window's parts measured against the drawn layout. Where the fonts
    // differ only the text sizes may; these figures are the layout's own.
    void partsHaveTheirDrawnGeometry() {
        QCOMPARE(window->frameGeometry().size(), QSize(601, 507));
        QCOMPARE(window->toolBar()->height(), 39);
        for (QAction* action : window->toolBar()->actions()) {
            if (auto* button =
                    qobject_cast<QToolButton*>(window->toolBar()->widgetForAction(action));
                button && button->isVisible()) {
                QCOMPARE(button->size(), QSize(55, 35));
                QVERIFY(window->toolBar()->rect().contains(button->geometry()));
            }
        }
        QCOMPARE(window->statusBar()->height(), 26);
        QCOMPARE(window->findChild<QWidget*>(QStringLiteral("Panel2"))->width(), 162);
        QCOMPARE(window->previewPanel()->height(), 155);
        QCOMPARE(window->ImgView()->size(), QSize(156, 151));
        auto* strip = window->findChild<QWidget*>(QStringLiteral("Panel3"));
        QCOMPARE(strip->height(), 37);
        QCOMPARE(window->findChild<QPushButton*>(QStringLiteral("bbtnSaveFiles"))->geometry(),
                 QRect(0, 5, 81, 25));
        QCOMPARE(window->findChild<QPushButton*>(QStringLiteral("bbtnClearList"))->geometry(),
                 QRect(85, 5, 68, 25));
        QVERIFY(strip->width() >= 85 + 68);
        window->pb()->show();
        QCOMPARE(window->pb()->geometry(), QRect(0, 29, strip->width(), 8));
        QCOMPARE(window->memFile()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(window->memFile()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    // The 9 x 10 mark at the very top left of column 0 of the current row.
    void rowIndicatorSitsAtTheCellsTopLeft() {
        fill({"a.jpg", "b.jpg", "c.jpg"});
        clickCell(RenameList::NewName, 2);
        const QRect cell = grid()->visualRect(grid()->listModel()->indexOfCell(0, 2));
        const QImage drawn = grid()->viewport()->grab().toImage();
        const QImage mark = rowIndicatorImage();
        const QColor red(255, 70, 75);
        for (int y = 0; y < mark.height(); ++y) {
            for (int x = 0; x < mark.width(); ++x) {
                const bool marked = mark.pixelColor(x, y) == red;
                QCOMPARE(drawn.pixelColor(cell.topLeft() + QPoint(x, y)) == red, marked);
            }
        }
    }

    // Each opens in the middle of the desktop, not over the main window.
    void chooserAboutAndDirectoryDialogAreCentredOnTheDesktop() {
        window->move(0, 0);
        const QPoint desktop = window->screen()->availableGeometry().center();
        TAboutBox about(fakes->shell, fakes->links, window.get());
        TfrmLoadPic chooser(fakes->messages, window.get());
        TfrmDir directory(fakes->files, fakes->messages, window.get());
        for (QDialog* dialog : {static_cast<QDialog*>(&about), static_cast<QDialog*>(&chooser),
                                static_cast<QDialog*>(&directory)}) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            const QPoint off = dialog->frameGeometry().center() - desktop;
            QVERIFY2(off.manhattanLength() <= 4, qPrintable(dialog->objectName()));
            dialog->hide();
        }
    }

    void typingIntoTheNewNameColumn() {
        fill({"a.jpg", "b.jpg"});
        clickCell(RenameList::NewName, 2);
        QCOMPARE(list().currentCell(), (CellCoord{RenameList::NewName, 2}));
        list().setCell(RenameList::NewName, 2, "old text");
        QTest::keyClick(grid(), 'B'); // replaces the whole text
        auto* editor = grid()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("01"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(list().getCell(RenameList::NewName, 2), std::string("B01"));
        clickCell(RenameList::OldName, 2); // fixed: nothing to edit
        QCOMPARE(list().getCell(RenameList::OldName, 2), std::string("b"));
    }

    void wheelStepMovesOneRow() {
        fill({"a.txt", "b.txt", "c.txt"});
        clickCell(RenameList::NewName, 1);
        const QPoint at = cellCentre(3, 1);
        QWheelEvent down(at, grid()->viewport()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, {},
                         Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(grid()->viewport(), &down);
        QCOMPARE(list().currentCell().row, 2);
    }

    void clickOnFixedCellOfAnotherRowAnnouncesWithoutMoving() {
        fill({"a.txt", "b.txt", "c.txt", "d.txt"});
        clickCell(RenameList::NewName, 2);
        int announcedRow = 0;
        list().OnRowChanging = [&](int, int newRow, bool&) { announcedRow = newRow; };
        clickCell(RenameList::Directory, 4);
        QCOMPARE(announcedRow, 4);
        QCOMPARE(list().currentCell(), (CellCoord{RenameList::NewName, 2}));
    }

    void handlerErrorGoesToTheErrorDisplay() {
        fill({"a.txt", "b.txt"});
        clickCell(RenameList::NewName, 1);
        list().OnRowChanging = [](int, int, bool&) { throw std::runtime_error("Cannot show it"); };
        clickCell(RenameList::NewName, 2);
        QCOMPARE(list().currentCell().row, 1);
        QCOMPARE(fakes->messages.shown.size(), size_t(1));
        QCOMPARE(fakes->messages.shown[0].kind, QStringLiteral("error"));
        QCOMPARE(fakes->messages.shown[0].title, QStringLiteral("Quorbel"));
        QCOMPARE(fakes->messages.shown[0].text, QStringLiteral("Cannot show it."));
    }

    void exitClosesTheWindow() {
        window->action("actExit")->trigger();
        QVERIFY(!window->isVisible());
    }

    void errorTextGetsAFinalDot_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Cannot create file x"
                                << "Cannot create file x.";
        QTest::newRow("dot") << "Done."
                             << "Done.";
        QTest::newRow("bang") << "Stop!"
                              << "Stop!";
        QTest::newRow("chinese") << "失败"
                                 << "失败.";
        QTest::newRow("digit") << "code 7"
                               << "code 7.";
        QTest::newRow("empty") << ""
                               << "";
    }
    void errorTextGetsAFinalDot() {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(ErrorDisplay::messageText(message), shown);
    }

    void modelPassesTheItemModelTester() {
        QAbstractItemModelTester tester(grid()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        fill({"b.jpg", "a.jpg", "c.jpg"});
        list().setCell(RenameList::NewName, 2, "x");
        list().headerClick(RenameList::OldName);
        fill({});
        fill({"z.jpg"});
        QCOMPARE(grid()->model()->rowCount(), 1);
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
