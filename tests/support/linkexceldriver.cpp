// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/linkexceldriver.h"

#include "support/fakeservices.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTest>

namespace quorbel::test {
namespace {

template <typename T> T* child(QDialog& dialog, const char* name) {
    T* found = dialog.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("The dialog has no %s", name);
    return found;
}

} // namespace

LinkExcelDriver::LinkExcelDriver(QDialog& dialog, ScriptedFileDialogs& files)
    : files_(files), sheets_(child<QComboBox>(dialog, "cbSheet")),
      oldNames_(child<QComboBox>(dialog, "cbOldName")),
      newNames_(child<QComboBox>(dialog, "cbNewName")), ok_(child<QPushButton>(dialog, "bbtnOk")),
      cancel_(child<QPushButton>(dialog, "BitBtn3")),
      getFile_(child<QPushButton>(dialog, "bbtnGetFile")) {}

void LinkExcelDriver::chooseFile(const QString& path) {
    files_.answers.push_back(path);
    QTest::mouseClick(getFile_, Qt::LeftButton);
}

void LinkExcelDriver::choose(QComboBox* list, const QString& name) {
    const int index = list->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        const QString problem = QStringLiteral("No entry %1 in %2").arg(name, list->objectName());
        QTest::qFail(qPrintable(problem), __FILE__, __LINE__);
        return;
    }
    chooseAt(list, index);
}

void LinkExcelDriver::chooseAt(QComboBox* list, int index) {
    list->showPopup();
    QAbstractItemView* view = list->view();
    const QModelIndex item =
        view->model()->index(index, list->modelColumn(), list->rootModelIndex());
    view->scrollTo(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    if (view->isVisible())
        list->hidePopup();
}

QStringList LinkExcelDriver::items(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

} // namespace quorbel::test
