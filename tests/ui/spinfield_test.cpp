// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering/spinfield.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

using namespace quorbel;

namespace {

void setLimits(SpinField& field, int lower, int upper) {
    field.setMinValue(lower);
    field.setMaxValue(upper);
}

} // namespace

class SpinFieldTest : public QObject {
    Q_OBJECT

private slots:
    void textThatIsNotAnIntegerReadsAsLowerLimit_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("empty") << "" << 3;
        QTest::newRow("letters") << "abc" << 3;
        QTest::newRow("minus alone") << "-" << 3;
        QTest::newRow("plus alone") << "+" << 3;
        QTest::newRow("decimal fraction") << "1.5" << 3;
        QTest::newRow("beyond 32 bits") << "99999999999" << 3;
        QTest::newRow("leading blanks") << "  7" << 7;
        QTest::newRow("below the limits, unclamped") << "-40" << -40;
        QTest::newRow("above the limits, unclamped") << "500" << 500;
        QTest::newRow("hexadecimal") << "$10" << 16;
    }
    void textThatIsNotAnIntegerReadsAsLowerLimit() {
        QFETCH(QString, text);
        QFETCH(int, value);
        SpinField field;
        setLimits(field, 3, 20);
        field.setText(text);
        QCOMPARE(field.value(), value);
        QCOMPARE(field.text(), text); // reading never rewrites
    }

    void assignmentClamps_data() {
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");
        QTest::addColumn<int>("assigned");
        QTest::addColumn<QString>("text");
        QTest::newRow("above upper") << 1 << 20 << 500 << "20";
        QTest::newRow("below lower") << 1 << 20 << 0 << "1";
        QTest::newRow("inside") << 1 << 20 << 7 << "7";
        QTest::newRow("equal limits, below") << 1 << 1 << -5 << "-5";
        QTest::newRow("equal limits, above") << 1 << 1 << 999 << "999";
        QTest::newRow("upper below lower, at lower") << 1 << 0 << 1 << "0";
        QTest::newRow("upper below lower, above") << 1 << 0 << 50 << "0";
        QTest::newRow("upper below lower, below both") << 1 << 0 << -3 << "1";
    }
    void assignmentClamps() {
        QFETCH(int, lower);
        QFETCH(int, upper);
        QFETCH(int, assigned);
        QFETCH(QString, text);
        SpinField field;
        setLimits(field, lower, upper);
        field.setValue(assigned);
        QCOMPARE(field.text(), text);
    }

    void settingLimitsLeavesTheText() {
        SpinField field;
        setLimits(field, 1, 999999);
        field.setValue(500);
        setLimits(field, 1, 20);
        QCOMPARE(field.text(), QStringLiteral("500"));
    }

    void arrowsStepAndClamp() {
        SpinField field;
        setLimits(field, 1, 20);
        field.setText(QStringLiteral("19"));
        QTest::keyClick(&field, Qt::Key_Up);
        QCOMPARE(field.text(), QStringLiteral("20"));
        QTest::keyClick(&field, Qt::Key_Up);
        QCOMPARE(field.text(), QStringLiteral("20"));
        field.setText(QStringLiteral("abc")); // reads as 1
        field.upButton()->click();
        QCOMPARE(field.text(), QStringLiteral("2"));
        field.downButton()->click();
        field.downButton()->click();
        QCOMPARE(field.text(), QStringLiteral("1"));
        field.setText(QStringLiteral("500"));
        QTest::keyClick(&field, Qt::Key_Down);
        QCOMPARE(field.text(), QStringLiteral("20"));
    }

    void typingAcceptsOnlyNumberKeys_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<char>("separator");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("digit") << "7" << '.' << true;
        QTest::newRow("plus") << "+" << '.' << true;
        QTest::newRow("minus") << "-" << '.' << true;
        QTest::newRow("decimal point") << "." << '.' << true;
        QTest::newRow("decimal comma") << "," << ',' << true;
        QTest::newRow("comma when the separator is a point") << "," << '.' << false;
        QTest::newRow("letter") << "a" << '.' << false;
        QTest::newRow("dollar") << "$" << '.' << false;
        QTest::newRow("blank") << " " << '.' << false;
        QTest::newRow("backspace") << "\b" << '.' << true;
        QTest::newRow("escape") << "\x1b" << '.' << true;
        QTest::newRow("enter") << "\r" << '.' << false;
        QTest::newRow("chinese") << "一" << '.' << false;
    }
    void typingAcceptsOnlyNumberKeys() {
        QFETCH(QString, key);
        QFETCH(char, separator);
        QFETCH(bool, accepted);
        QCOMPARE(SpinField::acceptsKey(key, separator), accepted);
    }

    void refusedKeysTypeNothingButPastingInsertsAnything() {
        SpinField field;
        setLimits(field, 1, 20);
        field.clear();
        QTest::keyClicks(&field, QStringLiteral("1x2 a-"));
        QCOMPARE(field.text(), QStringLiteral("12-"));
        QTest::keyClick(&field, Qt::Key_Backspace);
        QCOMPARE(field.text(), QStringLiteral("12"));
        QApplication::clipboard()->setText(QStringLiteral("ab"));
        field.paste();
        QCOMPARE(field.text(), QStringLiteral("12ab"));
        QCOMPARE(field.value(), 1);
    }

    void committedTextIsFilteredLikeKeys_data() {
        QTest::addColumn<QString>("committed");
        QTest::addColumn<char>("separator");
        QTest::addColumn<QString>("typed");
        QTest::newRow("chinese and a letter") << "中x" << '.' << "";
        QTest::newRow("digits") << "12" << '.' << "12";
        QTest::newRow("digits around a character") << "1中2" << '.' << "12";
        QTest::newRow("fullwidth digit") << "１" << '.' << "";
        QTest::newRow("sign and separator") << "-1,5" << ',' << "-1,5";
        QTest::newRow("blank and tab") << " \t7" << '.' << "7";
    }
    void committedTextIsFilteredLikeKeys() {
        QFETCH(QString, committed);
        QFETCH(char, separator);
        QFETCH(QString, typed);
        SpinField field;
        field.setDecimalSeparator(separator);
        field.clear();
        QInputMethodEvent commit;
        commit.setCommitString(committed);
        QCoreApplication::sendEvent(&field, &commit);
        QCOMPARE(field.text(), typed);
    }

    void leavingTheFieldClampsItsText_data() {
        QTest::addColumn<int>("upper");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("afterLeaving");
        QTest::newRow("above") << 20 << "500"
                               << "20";
        QTest::newRow("below") << 20 << "0"
                               << "1";
        QTest::newRow("inside") << 20 << "05"
                                << "05";
        QTest::newRow("not an integer stays") << 20 << "+"
                                              << "+";
        QTest::newRow("equal limits keep anything") << 1 << "500"
                                                    << "500";
        QTest::newRow("upper below lower") << 0 << "+"
                                           << "0";
    }
    void leavingTheFieldClampsItsText() {
        QFETCH(int, upper);
        QFETCH(QString, typed);
        QFETCH(QString, afterLeaving);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* field = new SpinField(&window);
        auto* other = new SpinField(&window);
        layout->addWidget(field);
        layout->addWidget(other);
        setLimits(*field, 1, upper);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        field->setFocus(Qt::TabFocusReason);
        field->setText(typed);
        QCOMPARE(field->text(), typed);
        other->setFocus(Qt::TabFocusReason);
        QCOMPARE(field->text(), afterLeaving);
    }
};

QTEST_MAIN(SpinFieldTest)
#include "spinfield_test.moc"
