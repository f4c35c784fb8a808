#include "mapping/linkexcel.h"

#include "mapping/mappingchoice.h"
#include "platform/captionedframes.h"
#include "platform/errordisplay.h"
#include "platform/filedialogs.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>

namespace quorbel {
namespace {

// ".xls" first: it is the format the dialog was made for; the reader picks the
// format by content, so the other entries only widen what the list shows. Excel saves
// "Unicode text" (UTF-16, tabs) under ".txt".
const char* const workbookFilter = QT_TRANSLATE_NOOP(
    "quorbel::TfrmLinkExcel",
    "Excel (*.xls);;Excel 2007 (*.xlsx);;OpenDocument (*.ods);;CSV (*.csv);;Unicode 文本 (*.txt)");

QComboBox* addChoiceList(QWidget* parent, const QString& name, const QRect& at) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(false);
    list->setGeometry(at);
    return list;
}

void addLabel(QWidget* parent, const QString& text, QPoint at, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->move(at);
    label->adjustSize();
    label->setBuddy(buddy);
}

// Replaces a list's items without raising change events; nothing is selected.
void refill(QComboBox* list, const std::vector<std::string>& names) {
    const QSignalBlocker blocker(list);
    list->clear();
    for (const std::string& name : names)
        list->addItem(QString::fromStdString(name));
    list->setCurrentIndex(-1);
}

} // namespace

TfrmLinkExcel::TfrmLinkExcel(const Services& services, WorkbookOpener opener, QWidget* parent)
    : QDialog(parent), services_(services),
      opener_(opener ? std::move(opener) : WorkbookOpener(&quorbel::openWorkbook)) {
    setObjectName(QStringLiteral("TfrmLinkExcel"));
    setWindowTitle(tr("对应表"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    setFixedSize(315, 239);
    useCaptionedFrames(*this);
    buildStepOne();
    buildStepTwo();
    buildButtons();
    buildStatusBar();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TfrmLinkExcel::~TfrmLinkExcel() {
    closeWorkbook();
}

QGroupBox* TfrmLinkExcel::buildStepOne() {
    auto* group = new QGroupBox(tr("第一步:获取数据"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(8, 8, 169, 97);
    bbtnGetFile_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogOpenButton),
                                   tr("选择Excel表"), group);
    bbtnGetFile_->setObjectName(QStringLiteral("bbtnGetFile"));
    bbtnGetFile_->setGeometry(8, 20, 153, 25);
    connect(bbtnGetFile_, &QPushButton::clicked, this,
            [this] { runGuarded(&TfrmLinkExcel::bbtnGetFileClick); });
    auto* sheetGroup = new QGroupBox(tr("选择表页(sheet)"), group);
    sheetGroup->setObjectName(QStringLiteral("GroupBox3"));
    sheetGroup->setGeometry(8, 49, 153, 44);
    cbSheet_ = addChoiceList(sheetGroup, QStringLiteral("cbSheet"), QRect(8, 18, 137, 20));
    // activated, not a change of index: choosing the selected sheet again rereads it.
    connect(cbSheet_, &QComboBox::activated, this,
            [this] { runGuarded(&TfrmLinkExcel::cbSheetChange); });
    return group;
}

QGroupBox* TfrmLinkExcel::buildStepTwo() {
    auto* group = new QGroupBox(tr("第二步:对应关系"), this);
    group->setObjectName(QStringLiteral("GroupBox2"));
    group->setGeometry(8, 121, 169, 80);
    cbOldName_ = addChoiceList(group, QStringLiteral("cbOldName"), QRect(64, 20, 97, 20));
    addLabel(group, tr("原文件名"), {8, 23}, cbOldName_);
    cbNewName_ = addChoiceList(group, QStringLiteral("cbNewName"), QRect(64, 50, 97, 20));
    addLabel(group, tr("新文件名"), {8, 53}, cbNewName_);
    connect(cbOldName_, &QComboBox::activated, this,
            [this] { runGuarded(&TfrmLinkExcel::cbOldNameChange); });
    connect(cbNewName_, &QComboBox::activated, this,
            [this] { runGuarded(&TfrmLinkExcel::cbNewNameChange); });
    return group;
}

void TfrmLinkExcel::buildButtons() {
    bbtnOk_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              tr("确定"), this);
    bbtnOk_->setObjectName(QStringLiteral("bbtnOk"));
    bbtnOk_->setGeometry(224, 24, 75, 25);
    bbtnOk_->setDefault(true);
    bbtnOk_->setEnabled(false);
    connect(bbtnOk_, &QPushButton::clicked, this, &QDialog::accept);
    bitBtn3_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                               tr("取消"), this);
    bitBtn3_->setObjectName(QStringLiteral("BitBtn3"));
    bitBtn3_->setGeometry(224, 80, 75, 25);
    connect(bitBtn3_, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmLinkExcel::buildStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    bar->setGeometry(0, height() - 19, width(), 19);
    auto* notice = new QLabel(tr("仅对Excel97/2000进行测试,更高版未经测试"), bar);
    notice->setObjectName(QStringLiteral("StatusBar1Text"));
    bar->addWidget(notice, 1);
}

void TfrmLinkExcel::runGuarded(void (TfrmLinkExcel::*handler)()) {
    ErrorDisplay::guard(*services_.messages, this, [this, handler] { (this->*handler)(); });
}

void TfrmLinkExcel::bbtnGetFileClick() {
    const QString chosen = services_.files->openFile(this, tr("打开"), tr(workbookFilter),
                                                     QStringLiteral("xls"));
    if (chosen.isEmpty())
        return;
    emptyColumnLists();
    closeWorkbook();
    // The earlier sheet is of no use once another workbook is chosen.
    table_.reset();
    path_ = QFile::encodeName(chosen).toStdString();
    connectWorkbook();
    fillSheetList();
}

void TfrmLinkExcel::cbSheetChange() {
    emptyColumnLists();
    table_.reset();
    const int index = cbSheet_->currentIndex();
    if (index < 0 || index >= static_cast<int>(sheetNames_.size()))
        return;
    // After a failed open the list still shows the earlier workbook's sheets;
    // the chosen name is then looked for in the file chosen last.
    if (!reader_)
        connectWorkbook();
    openSheet(sheetNames_[static_cast<size_t>(index)]);
    fillColumnLists();
}

void TfrmLinkExcel::cbOldNameChange() {
    updateOk();
}

void TfrmLinkExcel::cbNewNameChange() {
    updateOk();
}

void TfrmLinkExcel::emptyColumnLists() {
    refill(cbOldName_, {});
    refill(cbNewName_, {});
    bbtnOk_->setEnabled(false);
}

void TfrmLinkExcel::connectWorkbook() {
    reader_ = opener_(path_);
    if (!reader_)
        throw WorkbookError(tr("无法打开该工作簿").toStdString());
}

void TfrmLinkExcel::fillSheetList() {
    std::vector<std::string> names = reader_->sheetNames();
    refill(cbSheet_, names);
    sheetNames_ = std::move(names);
}

void TfrmLinkExcel::openSheet(const std::string& sheetName) {
    table_ = reader_->readSheet(sheetName);
}

void TfrmLinkExcel::fillColumnLists() {
    refill(cbOldName_, table_->columnNames());
    refill(cbNewName_, table_->columnNames());
}

void TfrmLinkExcel::updateOk() {
    bbtnOk_->setEnabled(ready());
}

int TfrmLinkExcel::oldNameColumn() const {
    return table_ ? cbOldName_->currentIndex() : -1;
}

int TfrmLinkExcel::newNameColumn() const {
    return table_ ? cbNewName_->currentIndex() : -1;
}

bool TfrmLinkExcel::ready() const {
    return table_ && mappingColumnsPair(table_->columnNames(), oldNameColumn(), newNameColumn());
}

void TfrmLinkExcel::closeWorkbook() {
    reader_.reset();
}

} // namespace quorbel
