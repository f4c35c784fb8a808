// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/loadpicture.h"

#include "global/picturefiles.h"
#include "intake/directorylistbox.h"
#include "intake/filelistbox.h"
#include "intake/filtercombobox.h"
#include "intake/patternlist.h"
#include "platform/desktopcentre.h"
#include "platform/errordisplay.h"
#include "preview/imagebox.h"
#include "preview/picturepreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace quorbel {
namespace {

// The current directory of each mount point, kept for the process as a
// system with drive letters keeps one per drive: choosing a mount point
// returns to where the user last was on it, and to its root before that.
QHash<QString, QString>& mountDirectories() {
    static QHash<QString, QString> directories;
    return directories;
}

QString directoryOnMount(const QString& root) {
    const QString remembered = mountDirectories().value(root);
    return !remembered.isEmpty() && QFileInfo(remembered).isDir() ? remembered : root;
}

} // namespace

TfrmLoadPic::TfrmLoadPic(MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), messages_(messages) {
    setObjectName(QStringLiteral("frmLoadPic"));
    setWindowTitle(tr("调入图像"));
    QFont dialogFont(QStringLiteral("宋体"));
    dialogFont.setPixelSize(13);
    setFont(dialogFont);
    resize(497, 469);
    auto* columns = new QHBoxLayout;
    columns->addWidget(buildLeftColumn(), 1);
    columns->addWidget(buildMiddleColumn());
    columns->addWidget(buildRightColumn());
    sbInfo_ = new QStatusBar(this);
    sbInfo_->setObjectName(QStringLiteral("sbInfo"));
    sbInfo_->setSizeGripEnabled(false);
    sbInfoText_ = new QLabel(sbInfo_);
    sbInfo_->addWidget(sbInfoText_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addLayout(columns, 1);
    layout->addWidget(sbInfo_);
    dlbFoldList_->setFileList(flbFileList_);
    fcbFilt_->setFileList(flbFileList_);
    fcbFilt_->setFilter(std::string(chooserPatternList));
    fillDrives();
    guarded([this] { dlbFoldList_->setDirectory(QDir::currentPath()); });
    showDriveOf(dlbFoldList_->directory());
    connectEvents();
    centreOnDesktop(*this);
}

QWidget* TfrmLoadPic::buildLeftColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    dcbDirver_ = new QComboBox(column);
    dcbDirver_->setObjectName(QStringLiteral("dcbDirver"));
    // Long mount points must not widen the window; the list shows them whole.
    dcbDirver_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    dcbDirver_->setMinimumContentsLength(6);
    dlbFoldList_ = new DirectoryListBox(column);
    dlbFoldList_->setObjectName(QStringLiteral("dlbFoldList"));
    dlbFoldList_->setToolTip(tr("双击打开目录"));
    layout->addWidget(dcbDirver_);
    layout->addWidget(dlbFoldList_, 1);
    return column;
}

QWidget* TfrmLoadPic::buildMiddleColumn() {
    auto* column = new QWidget(this);
    column->setFixedWidth(144);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* files = new QGroupBox(tr("当前图片"), column);
    auto* filesLayout = new QVBoxLayout(files);
    filesLayout->setContentsMargins(2, 2, 2, 2);
    flbFileList_ = new FileListBox(files);
    flbFileList_->setObjectName(QStringLiteral("flbFileList"));
    filesLayout->addWidget(flbFileList_);
    ckbSelType_ = new QCheckBox(tr("增强方式"), column);
    ckbSelType_->setObjectName(QStringLiteral("ckbSelType"));
    ckbSelType_->setChecked(true);
    ckbSelType_->setToolTip(tr("使用Shift或Ctrl快速选择"));
    layout->addWidget(files, 1);
    layout->addWidget(ckbSelType_);
    layout->addWidget(buildFormatFrame());
    return column;
}

QWidget* TfrmLoadPic::buildFormatFrame() {
    auto* frame = new QGroupBox(tr("格式选择"), this);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(2, 2, 2, 2);
    fcbFilt_ = new FilterComboBox(frame);
    fcbFilt_->setObjectName(QStringLiteral("fcbFilt"));
    auto* label = new QLabel(tr("自定义"), frame);
    label->setStyleSheet(QStringLiteral("color: red; font-weight: bold; font-style: italic;"));
    ledtUser_ = new QLineEdit(QStringLiteral("*.*"), frame);
    ledtUser_->setObjectName(QStringLiteral("ledtUser"));
    label->setBuddy(ledtUser_);
    sbtAddEx_ = new QPushButton(tr("增加"), frame);
    sbtAddEx_->setObjectName(QStringLiteral("sbtAddEx"));
    sbtAddEx_->setFlat(true);
    sbtAddEx_->setAutoDefault(false);
    auto* custom = new QHBoxLayout;
    custom->addWidget(ledtUser_, 1);
    custom->addWidget(sbtAddEx_);
    layout->addWidget(fcbFilt_);
    layout->addWidget(label);
    layout->addLayout(custom);
    return frame;
}

QWidget* TfrmLoadPic::buildRightColumn() {
    auto* column = new QWidget(this);
    column->setFixedWidth(129);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    sbtAddAll_ = new QPushButton(tr("全部选中"), column);
    sbtAddAll_->setObjectName(QStringLiteral("sbtAddAll"));
    sbtAddAll_->setFlat(true);
    sbtAddAll_->setAutoDefault(false);
    bbtnOk_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              tr("确定"), column);
    bbtnOk_->setObjectName(QStringLiteral("bbtnOk"));
    bbtnOk_->setDefault(true);
    bbtnOk_->setEnabled(false);
    bbtnCancel_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                  tr("取消"), column);
    bbtnCancel_->setObjectName(QStringLiteral("bbtnCancel"));
    bbtnCancel_->setAutoDefault(false);
    layout->addWidget(buildPreviewFrame());
    layout->addWidget(sbtAddAll_);
    layout->addStretch(1);
    layout->addWidget(bbtnOk_);
    layout->addWidget(bbtnCancel_);
    return column;
}

QWidget* TfrmLoadPic::buildPreviewFrame() {
    // The column is 129 wide: the 121 x 120 box with a one-pixel sunken edge
    // leaves the group box its own margin and nothing more.
    auto* frame = new QGroupBox(tr("预览"), this);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 2, 0, 0);
    auto* panel = new QLabel(tr("空空如也"), frame);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setFixedSize(123, 122);
    imgView_ = new ImageBox(panel);
    imgView_->setObjectName(QStringLiteral("ImgView"));
    imgView_->setGeometry(1, 1, 121, 120);
    lbInfo_ = new QLabel(frame);
    lbInfo_->setObjectName(QStringLiteral("lbInfo"));
    ckbViewPic_ = new QCheckBox(tr("预览"), frame);
    ckbViewPic_->setObjectName(QStringLiteral("ckbViewPic"));
    ckbViewPic_->setChecked(true);
    layout->addWidget(panel, 0, Qt::AlignHCenter);
    layout->addWidget(lbInfo_);
    layout->addWidget(ckbViewPic_);
    return frame;
}

// Without drive letters, the mounted file systems' mount points stand for
// drives; "/" is always there.
void TfrmLoadPic::fillDrives() {
    QStringList roots{QStringLiteral("/")};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        // Containers mount single files too; only folders can be entered.
        if (volume.isValid() && QFileInfo(volume.rootPath()).isDir() &&
            !roots.contains(volume.rootPath()))
            roots << volume.rootPath();
    }
    std::sort(roots.begin(), roots.end());
    for (const QString& root : roots)
        dcbDirver_->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), root, root);
}

// The selector shows the mount point that holds the directory, which becomes
// that mount point's current directory; nothing is raised.
void TfrmLoadPic::showDriveOf(const QString& directory) {
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < dcbDirver_->count(); ++i) {
        const QString root = dcbDirver_->itemData(i).toString();
        const bool holds = root == QLatin1String("/") || directory == root ||
                           directory.startsWith(root + QLatin1Char('/'));
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    const QSignalBlocker blocker(dcbDirver_);
    dcbDirver_->setCurrentIndex(best);
    if (best >= 0)
        mountDirectories().insert(dcbDirver_->itemData(best).toString(), directory);
}

void TfrmLoadPic::connectEvents() {
    connect(dcbDirver_, &QComboBox::activated, this, [this](int index) {
        guarded([this, index] {
            dlbFoldList_->setDirectory(directoryOnMount(dcbDirver_->itemData(index).toString()));
        });
        showDriveOf(dlbFoldList_->directory());
    });
    connect(dlbFoldList_, &DirectoryListBox::entryActivated, this,
            [this](const QString& directory) {
                guarded([&] { dlbFoldList_->setDirectory(directory); });
            });
    connect(dlbFoldList_, &DirectoryListBox::directoryChanged, this, [this] {
        showDriveOf(dlbFoldList_->directory());
        dlbFoldListChange();
    });
    connect(flbFileList_, &FileListBox::userSelectionChanged, this,
            [this] { guarded([this] { flbFileListClick(); }); });
    connect(ckbSelType_, &QCheckBox::clicked, this,
            [this] { guarded([this] { ckbSelTypeClick(); }); });
    connect(fcbFilt_, &QComboBox::activated, this,
            [this](int index) { guarded([&] { fcbFilt_->chooseEntry(index); }); });
    connect(fcbFilt_, &FilterComboBox::filterChanged, this, [this] { fcbFiltChange(); });
    connect(sbtAddAll_, &QPushButton::clicked, this,
            [this] { guarded([this] { sbtAddAllClick(); }); });
    connect(sbtAddEx_, &QPushButton::clicked, this,
            [this] { guarded([this] { sbtAddExClick(); }); });
    connect(bbtnOk_, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbtnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmLoadPic::guarded(const std::function<void()>& handler) {
    ErrorDisplay::guard(messages_, this, handler);
}

std::vector<std::string> TfrmLoadPic::selectedPaths() const {
    std::string directory = flbFileList_->directory();
    if (!directory.ends_with('/'))
        directory += '/';
    std::vector<std::string> paths;
    for (int i = 0; i < flbFileList_->count(); ++i) {
        if (flbFileList_->isItemSelected(i))
            paths.push_back(directory + flbFileList_->itemName(i));
    }
    return paths;
}

void TfrmLoadPic::AllowDoOK() {
    const int selected = flbFileList_->selectedCount();
    sbInfoText_->setText(tr("共选中:%1个图片").arg(selected));
    if (selected > 0)
        bbtnOk_->setEnabled(true);
}

void TfrmLoadPic::NotAllowDoOK() {
    bbtnOk_->setEnabled(false);
    sbInfoText_->clear();
    imgView_->clearPicture();
    lbInfo_->clear();
}

void TfrmLoadPic::viewPic(const std::string& path) {
    const QSize size = viewPicture(*imgView_, path);
    lbInfo_->setText(tr("宽:%1 高:%2").arg(size.width()).arg(size.height()));
}

void TfrmLoadPic::flbFileListClick() {
    AllowDoOK();
    const std::string path = flbFileList_->currentFilePath();
    if (path.empty())
        return;
    if (isPicFile(path)) {
        if (ckbViewPic_->isChecked())
            viewPic(path);
    } else {
        imgView_->hide();
    }
}

void TfrmLoadPic::ckbSelTypeClick() {
    flbFileList_->setExtendedSelect(ckbSelType_->isChecked());
    NotAllowDoOK();
}

void TfrmLoadPic::sbtAddAllClick() {
    flbFileList_->selectAllItems();
    AllowDoOK();
}

void TfrmLoadPic::fcbFiltChange() {
    NotAllowDoOK();
}

void TfrmLoadPic::dlbFoldListChange() {
    NotAllowDoOK();
}

void TfrmLoadPic::sbtAddExClick() {
    const std::string entry = customEntryText(ledtUser_->text().toStdString());
    fcbFilt_->setFilter(fcbFilt_->filter() + entry);
    {
        const QSignalBlocker blocker(fcbFilt_);
        fcbFilt_->setCurrentIndex(fcbFilt_->count() - 1);
    }
    flbFileList_->setMask(fcbFilt_->mask());
}

QString TfrmLoadPic::statusText() const {
    return sbInfoText_->text();
}

} // namespace quorbel
