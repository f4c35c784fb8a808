// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/linkexcel.h"

#include "mapping/mappingchoice.h"
#include "mapping/platefinder.h"
#include "platform/captionedframes.h"
#include "platform/errordisplay.h"
#include "platform/filedialogs.h"

#include <QCheckBox>
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

QLabel* addLabel(QWidget* parent, const QString& text, QPoint at, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->move(at);
    label->adjustSize();
    label->setBuddy(buddy);
    return label;
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
    lbOldName_ = addLabel(group, tr("原文件名"), {8, 23}, cbOldName_);
    cbNewName_ = addChoiceList(group, QStringLiteral("cbNewName"), QRect(64, 50, 97, 20));
    lbNewName_ = addLabel(group, tr("新文件名"), {8, 53}, cbNewName_);
    connect(cbOldName_, &QComboBox::activated, this,
            [this] { runGuarded(&TfrmLinkExcel::cbOldNameChange); });
    connect(cbNewName_, &QComboBox::activated, this,
            [this] { runGuarded(&TfrmLinkExcel::cbNewNameChange); });
    buildPlateChoice(group);
    return group;
}

// Hidden until a sheet holds a plate, so a list sheet shows the dialog as it
// always was. The block list takes the place of the two column lists.
void TfrmLinkExcel::buildPlateChoice(QGroupBox* stepTwo) {
    ckbPlate_ = new QCheckBox(tr("板图"), this);
    ckbPlate_->setObjectName(QStringLiteral("ckbPlate"));
    ckbPlate_->setGeometry(224, 141, 75, 20);
    ckbPlate_->setToolTip(tr("按文件名中的孔位(如 A01)从板图取新文件名"));
    ckbPlate_->hide();
    connect(ckbPlate_, &QCheckBox::clicked, this,
            [this] { runGuarded(&TfrmLinkExcel::ckbPlateClick); });
    cbBlock_ = addChoiceList(stepTwo, QStringLiteral("cbBlock"), QRect(64, 20, 97, 20));
    lbBlock_ = addLabel(stepTwo, tr("板"), {8, 23}, cbBlock_);
    lbPlateSize_ = new QLabel(stepTwo);
    lbPlateSize_->setObjectName(QStringLiteral("lbPlateSize"));
    lbPlateSize_->setGeometry(8, 50, 153, 20);
    connect(cbBlock_, &QComboBox::activated, this,
            [this] { runGuarded(&TfrmLinkExcel::cbBlockChange); });
    for (QWidget* part : {static_cast<QWidget*>(cbBlock_), static_cast<QWidget*>(lbBlock_),
                          static_cast<QWidget*>(lbPlateSize_)})
        part->hide();
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
    forgetPlates();
    closeWorkbook();
    // The earlier sheet is of no use once another workbook is chosen.
    table_.reset();
    path_ = QFile::encodeName(chosen).toStdString();
    connectWorkbook();
    fillSheetList();
}

void TfrmLinkExcel::cbSheetChange() {
    emptyColumnLists();
    forgetPlates();
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
    offerPlates();
}

void TfrmLinkExcel::cbOldNameChange() {
    updateOk();
}

void TfrmLinkExcel::cbNewNameChange() {
    updateOk();
}

void TfrmLinkExcel::ckbPlateClick() {
    showPlatePage(ckbPlate_->isChecked());
    updateOk();
}

void TfrmLinkExcel::cbBlockChange() {
    const PlateBlock* block = chosenBlock();
    lbPlateSize_->setText(block ? tr("%1 孔 (A1–%2%3)")
                                      .arg(block->rows() * block->columns())
                                      .arg(QChar(u'A' + block->rows() - 1))
                                      .arg(block->columns())
                                : QString());
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

// A sheet with plates opens on its first block, as the command line does.
void TfrmLinkExcel::offerPlates() {
    blocks_ = findPlateBlocks(*table_);
    if (blocks_.empty())
        return;
    {
        const QSignalBlocker blocker(cbBlock_);
        cbBlock_->clear();
        for (size_t i = 0; i < blocks_.size(); ++i)
            cbBlock_->addItem(
                tr("板 %1 (%2)").arg(i + 1).arg(QString::fromStdString(blocks_[i].cornerName())));
        cbBlock_->setCurrentIndex(0);
    }
    ckbPlate_->setChecked(true);
    ckbPlate_->show();
    showPlatePage(true);
    cbBlockChange();
}

void TfrmLinkExcel::forgetPlates() {
    blocks_.clear();
    {
        const QSignalBlocker blocker(cbBlock_);
        cbBlock_->clear();
    }
    ckbPlate_->setChecked(false);
    ckbPlate_->hide();
    showPlatePage(false);
}

void TfrmLinkExcel::showPlatePage(bool plate) {
    for (QWidget* part : {static_cast<QWidget*>(cbOldName_), static_cast<QWidget*>(cbNewName_),
                          static_cast<QWidget*>(lbOldName_), static_cast<QWidget*>(lbNewName_)})
        part->setVisible(!plate);
    for (QWidget* part : {static_cast<QWidget*>(cbBlock_), static_cast<QWidget*>(lbBlock_),
                          static_cast<QWidget*>(lbPlateSize_)})
        part->setVisible(plate);
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

bool TfrmLinkExcel::plateChosen() const {
    return chosenBlock() != nullptr;
}

const PlateBlock* TfrmLinkExcel::chosenBlock() const {
    const int index = cbBlock_->currentIndex();
    if (!table_ || !ckbPlate_->isChecked() || index < 0 ||
        index >= static_cast<int>(blocks_.size()))
        return nullptr;
    return &blocks_[static_cast<size_t>(index)];
}

bool TfrmLinkExcel::ready() const {
    if (ckbPlate_->isChecked())
        return plateChosen();
    return table_ && mappingColumnsPair(table_->columnNames(), oldNameColumn(), newNameColumn());
}

void TfrmLinkExcel::closeWorkbook() {
    reader_.reset();
}

} // namespace quorbel
