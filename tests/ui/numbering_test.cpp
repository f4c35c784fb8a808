// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main.h"
#include "numbering/serialnub.h"
#include "numbering/spinfield.h"
#include "support/fakeservices.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace quorbel;
using quorbel::test::FakeServices;

namespace {

std::vector<std::string> paths(int count) {
    std::vector<std::string> list;
    for (int i = 1; i <= count; ++i)
        list.push_back("/data/file" + std::to_string(i) + ".ab1");
    return list;
}

TfrmSerial& serialOf(QDialog& dialog) {
    auto* serial = qobject_cast<TfrmSerial*>(&dialog);
    if (!serial)
        qFatal("the numbering command opened another dialog");
    return *serial;
}

// Shows the dialog and makes it the active window, so focus moves between its
// fields as it does for a user.
void activate(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
}

void typeInto(QLineEdit* field, const QString& text) {
    field->setFocus(Qt::TabFocusReason);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

void pressOk(TfrmSerial& dialog) {
    dialog.okButton()->click();
}

} // namespace

class NumberingCommandTest : public QObject {
    Q_OBJECT

private:
    FakeServices fakes_;
    std::unique_ptr<TfrmMain> main_;

    RenameList& list() { return main_->renameList(); }
    QString newName(int row) {
        return QString::fromStdString(list().getCell(RenameList::NewName, row));
    }
    QStringList newNames() {
        QStringList names;
        for (int row = 1; row < list().RowCount(); ++row)
            names << newName(row);
        return names;
    }
    void start(int fileRows) { main_->fillGrid(paths(fileRows)); }
    QString cell(int column, int row) {
        return QString::fromStdString(list().getCell(column, row));
    }
    // Drives the dialog the command opens, then answers with the dialog's result
    // (Rejected unless the driver pressed OK).
    void runWith(std::function<void(TfrmSerial&)> drive) {
        fakes_.dialogs.scripts.push_back([drive](QDialog& dialog) {
            TfrmSerial& serial = serialOf(dialog);
            drive(serial);
            return serial.result();
        });
        main_->action("actBH")->trigger();
    }

private slots:
    void init() {
        fakes_.messages.shown.clear();
        fakes_.dialogs.scripts.clear();
        main_ = std::make_unique<TfrmMain>(fakes_.services(), LocaleFormat{});
    }
    void cleanup() { main_.reset(); }

    void opensWithDefaultsAndNumbersTheWholeList() {
        start(5);
        runWith([](TfrmSerial& serial) {
            QCOMPARE(serial.windowTitle(), QStringLiteral("自动编号"));
            QCOMPARE(serial.leBC()->text(), QStringLiteral("B"));
            QCOMPARE(serial.leBN()->text(), QStringLiteral("01"));
            QCOMPARE(serial.sedInc()->text(), QStringLiteral("1"));
            QCOMPARE(serial.sedInc()->minValue(), 1);
            QCOMPARE(serial.sedInc()->maxValue(), 10000);
            QCOMPARE(serial.sedtB()->text(), QStringLiteral("1"));
            QCOMPARE(serial.sedtE()->text(), QStringLiteral("5"));
            QCOMPARE(serial.sedtB()->maxValue(), 5);
            QCOMPARE(serial.sedtE()->minValue(), 1);
            QCOMPARE(serial.okButton()->text(), QStringLiteral("确定"));
            QCOMPARE(serial.cancelButton()->text(), QStringLiteral("放弃"));
            QVERIFY(!serial.okButton()->isDefault());
            QVERIFY(!serial.okButton()->autoDefault());
            pressOk(serial);
        });
        QCOMPARE(fakes_.dialogs.runs, 1);
        QCOMPARE(newNames(), (QStringList{"B01", "B02", "B03", "B04", "B05"}));
        QVERIFY(fakes_.messages.shown.empty());
        QCOMPARE(main_->statusText(), QString());
    }

    void writesOnlyTheNewNameColumn() {
        start(3);
        list().setCell(RenameList::Result, 2, "成功");
        runWith([](TfrmSerial& serial) { pressOk(serial); });
        for (int row = 1; row <= 3; ++row) {
            QCOMPARE(cell(RenameList::OldName, row), QString("file%1").arg(row));
            QCOMPARE(cell(RenameList::Extension, row), QStringLiteral(".ab1"));
            QCOMPARE(cell(RenameList::Number, row), QString::number(row));
        }
        QCOMPARE(cell(RenameList::Result, 2), QStringLiteral("成功"));
        QCOMPARE(list().RowCount(), 4);
    }

    void rangeFieldClampsOnFocusLoss_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("afterLeaving");
        QTest::newRow("above the list") << "500"
                                        << "20";
        QTest::newRow("zero") << "0"
                              << "1";
        QTest::newRow("inside") << "7"
                                << "7";
        QTest::newRow("sign alone reads as the lower limit") << "-"
                                                             << "-";
    }
    void rangeFieldClampsOnFocusLoss() {
        QFETCH(QString, typed);
        QFETCH(QString, afterLeaving);
        start(20);
        runWith([&](TfrmSerial& serial) {
            activate(serial);
            typeInto(serial.sedtB(), typed);
            QCOMPARE(serial.sedtB()->text(), typed);
            serial.sedtE()->setFocus(Qt::TabFocusReason);
            QVERIFY(!serial.sedtB()->hasFocus());
            QCOMPARE(serial.sedtB()->text(), afterLeaving);
            pressOk(serial);
        });
        const int first = afterLeaving == "-" ? 1 : afterLeaving.toInt();
        QCOMPARE(newName(first), QStringLiteral("B01"));
        QCOMPARE(newName(20), QString("B%1").arg(21 - first, 2, 10, QLatin1Char('0')));
        if (first > 1)
            QCOMPARE(newName(first - 1), QString());
    }

    void reversedRangeIsSwapped() {
        start(10);
        runWith([](TfrmSerial& serial) {
            serial.sedtB()->setText(QStringLiteral("5"));
            serial.sedtE()->setText(QStringLiteral("2"));
            pressOk(serial);
        });
        QCOMPARE(newNames(), (QStringList{"", "B01", "B02", "B03", "B04", "", "", "", "", ""}));
    }

    void oneFileRowAcceptsAnyRangeButWritesRowOneOnly() {
        start(1);
        runWith([](TfrmSerial& serial) {
            QCOMPARE(serial.sedtB()->minValue(), 1);
            QCOMPARE(serial.sedtB()->maxValue(), 1);
            activate(serial);
            typeInto(serial.sedtB(), QStringLiteral("0"));
            typeInto(serial.sedtE(), QStringLiteral("7"));
            serial.leBN()->setFocus(Qt::TabFocusReason);
            // Equal limits never clamp.
            QCOMPARE(serial.sedtB()->text(), QStringLiteral("0"));
            QCOMPARE(serial.sedtE()->text(), QStringLiteral("7"));
            pressOk(serial);
        });
        // Row 0 of the range took the start number and was skipped.
        QCOMPARE(newNames(), (QStringList{"B02"}));
        QCOMPARE(list().RowCount(), 2);
    }

    void listWithoutFileRowsWritesNothing() {
        start(0);
        QCOMPARE(list().RowCount(), 1);
        runWith([](TfrmSerial& serial) {
            serial.sedtB()->setText(QStringLiteral("1"));
            serial.sedtE()->setText(QStringLiteral("5"));
            pressOk(serial);
        });
        QCOMPARE(list().RowCount(), 1);
        QCOMPARE(newName(1), QString());
        QCOMPARE(newName(2), QString());
        QVERIFY(fakes_.messages.shown.empty());
    }

    void cancelWritesNothing_data() {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Cancel button") << false;
        QTest::newRow("Escape key") << true;
    }
    void cancelWritesNothing() {
        QFETCH(bool, byEscape);
        start(3);
        list().setCell(RenameList::NewName, 2, "kept");
        runWith([&](TfrmSerial& serial) {
            activate(serial);
            typeInto(serial.leBC(), QStringLiteral("X"));
            if (byEscape)
                QTest::keyClick(serial.leBC(), Qt::Key_Escape);
            else
                serial.cancelButton()->click();
        });
        QCOMPARE(newNames(), (QStringList{"", "kept", ""}));
    }

    void enterInAFieldDoesNotPressOk() {
        start(3);
        runWith([](TfrmSerial& serial) {
            activate(serial);
            for (QLineEdit* field : {serial.leBN(), static_cast<QLineEdit*>(serial.sedtE())}) {
                field->setFocus(Qt::TabFocusReason);
                QTest::keyClick(field, Qt::Key_Return);
                QVERIFY(serial.isVisible());
                QCOMPARE(serial.result(), int(QDialog::Rejected));
            }
            pressOk(serial);
        });
        QCOMPARE(newNames(), (QStringList{"B01", "B02", "B03"}));
    }

    void startNumberNotAnInteger_data() {
        QTest::addColumn<QString>("start");
        QTest::newRow("empty") << "";
        QTest::newRow("letters") << "abc";
        QTest::newRow("inner blank") << "1 2";
        QTest::newRow("trailing letter") << "12a";
        QTest::newRow("eleven digits") << "12345678901";
    }
    void startNumberNotAnInteger() {
        QFETCH(QString, start);
        this->start(3);
        list().setCell(RenameList::NewName, 1, "kept");
        runWith([&](TfrmSerial& serial) {
            serial.leBN()->setText(start);
            pressOk(serial);
        });
        QCOMPARE(newNames(), (QStringList{"kept", "", ""}));
        QCOMPARE(fakes_.messages.shown.size(), size_t(1));
        QCOMPARE(fakes_.messages.shown[0].kind, QStringLiteral("information"));
        QCOMPARE(fakes_.messages.shown[0].title, QStringLiteral("提示"));
        QCOMPARE(fakes_.messages.shown[0].text, QStringLiteral("起始编号只允许数字"));
    }

    void typedRuleIsTrimmedAndApplied() {
        start(4);
        runWith([](TfrmSerial& serial) {
            serial.leBC()->setText(QStringLiteral(" A B "));
            serial.leBN()->setText(QStringLiteral(" 12 "));
            serial.sedInc()->setText(QStringLiteral("3"));
            serial.sedtB()->setText(QStringLiteral("2"));
            serial.sedtE()->setText(QStringLiteral("3"));
            pressOk(serial);
        });
        QCOMPARE(newNames(), (QStringList{"", "A B12", "A B15", ""}));
    }

    void secondRunOverwritesTheRangeOnly() {
        start(5);
        runWith([](TfrmSerial& serial) { pressOk(serial); });
        runWith([](TfrmSerial& serial) {
            // Nothing typed is remembered: the defaults are back.
            QCOMPARE(serial.leBC()->text(), QStringLiteral("B"));
            serial.leBC()->setText(QStringLiteral("C"));
            serial.sedtB()->setText(QStringLiteral("2"));
            serial.sedtE()->setText(QStringLiteral("3"));
            pressOk(serial);
        });
        QCOMPARE(newNames(), (QStringList{"B01", "C01", "C02", "B04", "B05"}));
    }
};

QTEST_MAIN(NumberingCommandTest)
#include "numbering_test.moc"
