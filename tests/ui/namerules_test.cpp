// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main.h"
#include "numbering/datenamedialog.h"
#include "numbering/namepreview.h"
#include "numbering/replacedialog.h"
#include "support/fakeservices.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace quorbel;
using quorbel::test::FakeServices;

namespace {

using Pairs = QList<QPair<QString, QString>>;

// Key by key, as a user types; letters no key event can carry (QTest knows
// ASCII alone) arrive as an input method would hand them over.
void typeInto(QLineEdit* field, const QString& text) {
    field->setFocus(Qt::TabFocusReason);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(field, c.toLatin1());
        else
            field->insert(QString(c));
    }
}

template <typename Dialog> Dialog& dialogOf(QDialog& dialog) {
    auto* typed = qobject_cast<Dialog*>(&dialog);
    if (!typed)
        qFatal("the command opened another dialog");
    return *typed;
}

// The look both rule dialogs share with the numbering dialog.
void checkLooksLikeTheNumberingDialog(QDialog& dialog, const QString& title) {
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(dialog.font().pixelSize(), 12);
    QVERIFY(dialog.font().families().contains(QStringLiteral("宋体")));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY(!(dialog.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(dialog.findChildren<QGroupBox*>().size(), 2);
    const auto ok = dialog.findChild<QPushButton*>(QStringLiteral("bbtnOK"));
    const auto cancel = dialog.findChild<QPushButton*>(QStringLiteral("bbtnCancel"));
    QCOMPARE(ok->text(), QStringLiteral("确定"));
    QCOMPARE(cancel->text(), QStringLiteral("放弃"));
    QVERIFY(!ok->isDefault() && !ok->autoDefault());
}

} // namespace

class NameRulesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FakeServices> fakes_;
    std::unique_ptr<TfrmMain> main_;

    RenameList& list() { return main_->renameList(); }
    QString cell(int column, int row) {
        return QString::fromStdString(list().getCell(column, row));
    }
    QStringList newNames() {
        QStringList names;
        for (int row = 1; row < list().RowCount(); ++row)
            names << cell(RenameList::NewName, row);
        return names;
    }
    template <typename Dialog>
    void runWith(const char* action, std::function<void(Dialog&)> drive) {
        fakes_->dialogs.scripts.push_back([drive](QDialog& dialog) {
            Dialog& typed = dialogOf<Dialog>(dialog);
            drive(typed);
            return typed.result();
        });
        main_->action(action)->trigger();
    }
    void replaceWith(std::function<void(TfrmReplace&)> drive) {
        runWith<TfrmReplace>("actReplace", std::move(drive));
    }
    void nameByDateWith(std::function<void(TfrmDateName&)> drive) {
        runWith<TfrmDateName>("actDateName", std::move(drive));
    }
    void freshWindow() { main_ = std::make_unique<TfrmMain>(fakes_->services(), LocaleFormat{}); }

private slots:
    void init() {
        fakes_ = std::make_unique<FakeServices>();
        freshWindow();
    }
    void cleanup() {
        main_.reset();
        fakes_.reset();
    }

    void bothCommandsSitInTheOperationsMenu() {
        const QList<QAction*> menus = main_->menuBar()->actions();
        QStringList items;
        for (QAction* action : menus[1]->menu()->actions())
            items << action->objectName();
        QVERIFY(items.indexOf(QStringLiteral("actReplace")) >
                items.indexOf(QStringLiteral("actBH")));
        QVERIFY(items.indexOf(QStringLiteral("actDateName")) >
                items.indexOf(QStringLiteral("actReplace")));
        QCOMPARE(main_->action("actReplace")->text(), QStringLiteral("查找替换"));
        QCOMPARE(main_->action("actDateName")->text(), QStringLiteral("按拍摄日期命名"));
    }

    void replacePreviewsWhileTypingAndOkFillsMatchedRows() {
        main_->fillGrid({"/p/IMG_0001.jpg", "/p/DSC_7.jpg", "/p/img_0002.jpg", "/p/IMG_0003.jpg",
                         "/p/IMG_0004.jpg", "/p/IMG_0005.jpg", "/p/IMG_0006.jpg",
                         "/p/IMG_0007.jpg"});
        list().setCell(RenameList::NewName, 2, "kept");
        replaceWith([](TfrmReplace& dialog) {
            checkLooksLikeTheNumberingDialog(dialog, QStringLiteral("查找替换"));
            QAbstractItemModelTester tester(dialog.lvPreview()->model());
            QVERIFY(dialog.leFind()->text().isEmpty());
            QCOMPARE(dialog.lvPreview()->pairs().size(), NamePreview::rows);
            QCOMPARE(dialog.lvPreview()->pairs()[0],
                     (QPair<QString, QString>{"IMG_0001.jpg", "（不变）"}));
            typeInto(dialog.leFind(), QStringLiteral("IMG_(\\d+)"));
            typeInto(dialog.leReplace(), QStringLiteral("trip_$1"));
            // As plain text the expression is found nowhere.
            QCOMPARE(dialog.lvPreview()->pairs()[0].second, QStringLiteral("（不变）"));
            dialog.ckbRegex()->click();
            QCOMPARE(dialog.lvPreview()->pairs().mid(0, 3),
                     (Pairs{{"IMG_0001.jpg", "trip_0001.jpg"},
                            {"DSC_7.jpg", "（不变）"},
                            {"img_0002.jpg", "（不变）"}}));
            dialog.ckbIgnoreCase()->click();
            QCOMPARE(dialog.lvPreview()->pairs()[2].second, QStringLiteral("trip_0002.jpg"));
            QVERIFY(dialog.lbProblem()->text().isEmpty());
            dialog.okButton()->click();
        });
        QCOMPARE(newNames(), (QStringList{"trip_0001", "kept", "trip_0002", "trip_0003",
                                          "trip_0004", "trip_0005", "trip_0006", "trip_0007"}));
        QCOMPARE(main_->statusText(), QStringLiteral("查找替换 7 个文件"));
        QCOMPARE(cell(RenameList::OldName, 1), QStringLiteral("IMG_0001"));
        QVERIFY(fakes_->messages.shown.empty());
    }

    void aBadExpressionIsShownAndOkKeepsTheDialogOpenWithNothingChanged() {
        main_->fillGrid({"/p/IMG_0001.jpg", "/p/IMG_0002.jpg"});
        list().setCell(RenameList::NewName, 1, "before");
        replaceWith([this](TfrmReplace& dialog) {
            dialog.ckbRegex()->click();
            typeInto(dialog.leFind(), QStringLiteral("IMG_(\\d+"));
            QCOMPARE(dialog.lbProblem()->text(), QStringLiteral("正则表达式末尾有误：缺少 )"));
            QCOMPARE(dialog.lvPreview()->pairs()[1].second, QStringLiteral("（不变）"));
            dialog.okButton()->click();
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(fakes_->messages.shown.size(), size_t(1));
            QCOMPARE(fakes_->messages.shown[0].title, QStringLiteral("提示"));
            QCOMPARE(fakes_->messages.shown[0].text, QStringLiteral("正则表达式末尾有误：缺少 )"));
            typeInto(dialog.leReplace(), QStringLiteral("$2"));
            typeInto(dialog.leFind(), QStringLiteral("IMG_(\\d+)"));
            QCOMPARE(dialog.lbProblem()->text(),
                     QStringLiteral("替换内容第 1 个字符处有误：没有第 2 组"));
            dialog.okButton()->click();
            QCOMPARE(fakes_->messages.shown.size(), size_t(2));
            // Given up on: Cancel.
        });
        QCOMPARE(newNames(), (QStringList{"before", ""}));
        QVERIFY(main_->statusText().isEmpty());
    }

    void theRuleIsRememberedAfterOkButNotAfterCancel() {
        main_->fillGrid({"/p/σοφία.txt"});
        replaceWith([](TfrmReplace& dialog) {
            typeInto(dialog.leFind(), QStringLiteral("ΣΟΦΊΑ"));
            typeInto(dialog.leReplace(), QStringLiteral("智慧"));
            dialog.ckbIgnoreCase()->click();
            QCOMPARE(dialog.lvPreview()->pairs()[0].second, QStringLiteral("智慧.txt"));
            dialog.okButton()->click();
        });
        QCOMPARE(newNames(), QStringList{"智慧"});
        freshWindow(); // the program started again
        main_->fillGrid({"/p/σοφία.txt"});
        replaceWith([](TfrmReplace& dialog) {
            QCOMPARE(dialog.leFind()->text(), QStringLiteral("ΣΟΦΊΑ"));
            QCOMPARE(dialog.leReplace()->text(), QStringLiteral("智慧"));
            QVERIFY(!dialog.ckbRegex()->isChecked());
            QVERIFY(dialog.ckbIgnoreCase()->isChecked());
            QCOMPARE(dialog.lvPreview()->pairs()[0].second, QStringLiteral("智慧.txt"));
            typeInto(dialog.leFind(), QStringLiteral("other"));
            dialog.cancelButton()->click();
        });
        replaceWith([](TfrmReplace& dialog) {
            QCOMPARE(dialog.leFind()->text(), QStringLiteral("ΣΟΦΊΑ"));
            dialog.cancelButton()->click();
        });
        QCOMPARE(fakes_->dialogs.runs, 3);
    }

    void anEmptyResultIsShownAndCounted() {
        main_->fillGrid({"/p/IMG.jpg", "/p/IMG_1.jpg"});
        replaceWith([](TfrmReplace& dialog) {
            typeInto(dialog.leFind(), QStringLiteral("IMG"));
            QCOMPARE(dialog.lvPreview()->pairs(),
                     (Pairs{{"IMG.jpg", "（空）"}, {"IMG_1.jpg", "_1.jpg"}}));
            dialog.okButton()->click();
        });
        QCOMPARE(newNames(), (QStringList{"", "_1"}));
        QCOMPARE(main_->statusText(), QStringLiteral("查找替换 2 个文件, 其中 1 个新名称为空"));
    }

    void dateNamesPreviewWhileTypingAndOkFillsRowsWithADate() {
        QTemporaryDir folder;
        const QString fixtures = QStringLiteral(QUORBEL_FIXTURES "/datenames/");
        const QStringList files{"pair-1.jpg", "no-exif.jpg", "pair-2.jpg", "original.jpg",
                                "damaged-exif.jpg"};
        std::vector<std::string> paths;
        for (const QString& file : files) {
            QVERIFY(QFile::copy(fixtures + file, folder.filePath(file)));
            paths.push_back(folder.filePath(file).toStdString());
        }
        QFile existing(folder.filePath(QStringLiteral("20250714_093005.jpg")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        main_->fillGrid(paths);
        list().setCell(RenameList::NewName, 2, "typed before");
        nameByDateWith([](TfrmDateName& dialog) {
            checkLooksLikeTheNumberingDialog(dialog, QStringLiteral("按拍摄日期命名"));
            QAbstractItemModelTester tester(dialog.lvPreview()->model());
            QCOMPARE(dialog.lePattern()->text(), QStringLiteral("%Y%m%d_%H%M%S"));
            QCOMPARE(dialog.lvPreview()->pairs(),
                     (Pairs{{"pair-1.jpg", "20250714_101530.jpg"},
                            {"no-exif.jpg", "（没有拍摄日期）"},
                            {"pair-2.jpg", "20250714_101530_2.jpg"},
                            {"original.jpg", "20250714_093005_2.jpg"},
                            {"damaged-exif.jpg", "（没有拍摄日期）"}}));
            typeInto(dialog.lePattern(), QStringLiteral("旅行 %Y-%m-%d"));
            QCOMPARE(dialog.lvPreview()->pairs()[2].second,
                     QStringLiteral("旅行 2025-07-14_2.jpg"));
            typeInto(dialog.lePattern(), QStringLiteral("%Y%q"));
            QVERIFY(dialog.lbProblem()->text().contains(QStringLiteral("不认识 %q")));
            QCOMPARE(dialog.lvPreview()->pairs()[0].second, QStringLiteral("（不变）"));
            typeInto(dialog.lePattern(), QStringLiteral("%Y%m%d_%H%M%S"));
            QVERIFY(dialog.lbProblem()->text().isEmpty());
            dialog.okButton()->click();
        });
        QCOMPARE(newNames(), (QStringList{"20250714_101530", "typed before", "20250714_101530_2",
                                          "20250714_093005_2", ""}));
        QCOMPARE(main_->statusText(),
                 QStringLiteral("按拍摄日期命名 3 个文件, 2 个文件没有拍摄日期"));
    }

    void aBadPatternKeepsTheDialogOpenAndThePatternIsRemembered() {
        main_->fillGrid({"/nowhere/a.jpg"});
        nameByDateWith([this](TfrmDateName& dialog) {
            typeInto(dialog.lePattern(), QStringLiteral("%Y/%m"));
            dialog.okButton()->click();
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(fakes_->messages.shown.size(), size_t(1));
            QCOMPARE(fakes_->messages.shown[0].text,
                     QStringLiteral("日期格式第 3 个字符处有误：名称里不能有 /"));
            typeInto(dialog.lePattern(), QStringLiteral("IMG_%Y"));
            dialog.okButton()->click();
        });
        QCOMPARE(main_->statusText(),
                 QStringLiteral("按拍摄日期命名 0 个文件, 1 个文件没有拍摄日期"));
        nameByDateWith([](TfrmDateName& dialog) {
            QCOMPARE(dialog.lePattern()->text(), QStringLiteral("IMG_%Y"));
            dialog.cancelButton()->click();
        });
    }
};

QTEST_MAIN(NameRulesTest)
#include "namerules_test.moc"
