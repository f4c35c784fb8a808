// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/opendir.h"

#include "intake/directoryscan.h"
#include "intake/filtercombobox.h"
#include "intake/patternlist.h"
#include "platform/desktopcentre.h"
#include "platform/errordisplay.h"
#include "platform/filedialogs.h"
#include "platform/messageboxes.h"

#include <QCoreApplication>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorbel {

TfrmDir::TfrmDir(FileDialogs& files, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), files_(files), messages_(messages) {
    setObjectName(QStringLiteral("frmDir"));
    setWindowTitle(tr("选择目录"));
    QFont dialogFont(QStringLiteral("宋体"));
    dialogFont.setPixelSize(12);
    setFont(dialogFont);
    auto* left = new QVBoxLayout;
    left->addWidget(buildFolderRow());
    left->addWidget(buildFormatFrame(), 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(left, 1);
    layout->addWidget(buildButtons(), 0, Qt::AlignTop);
    fcbFilt_->setFilter(std::string(directoryPatternList));
    setFixedSize(275, 166);
    centreOnDesktop(*this);
}

QWidget* TfrmDir::buildFolderRow() {
    auto* row = new QWidget(this);
    auto* layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(2);
    ledtDir_ = new QLineEdit(row);
    ledtDir_->setObjectName(QStringLiteral("ledtDir"));
    auto* label = new QLabel(tr("选择目录"), row);
    label->setBuddy(ledtDir_);
    speedButton1_ = new QToolButton(row);
    speedButton1_->setObjectName(QStringLiteral("SpeedButton1"));
    speedButton1_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    speedButton1_->setAutoRaise(true);
    layout->addWidget(label, 0, 0, 1, 2);
    layout->addWidget(ledtDir_, 1, 0);
    layout->addWidget(speedButton1_, 1, 1);
    connect(speedButton1_, &QToolButton::clicked, this,
            [this] { guarded([this] { SpeedButton1Click(); }); });
    return row;
}

QWidget* TfrmDir::buildButtons() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    bbtnOk_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), column);
    bbtnOk_->setObjectName(QStringLiteral("bbtnOk"));
    bbtnOk_->setDefault(true);
    bbtnOk_->setEnabled(false);
    bitBtn2_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                               QStringLiteral("Cancel"), column);
    bitBtn2_->setObjectName(QStringLiteral("BitBtn2"));
    bitBtn2_->setAutoDefault(false);
    layout->addWidget(bbtnOk_);
    layout->addWidget(bitBtn2_);
    connect(bbtnOk_, &QPushButton::clicked, this, &QDialog::accept);
    connect(bitBtn2_, &QPushButton::clicked, this, &QDialog::reject);
    return column;
}

QWidget* TfrmDir::buildFormatFrame() {
    auto* frame = new QGroupBox(tr("格式选择"), this);
    auto* layout = new QGridLayout(frame);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setVerticalSpacing(2);
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
    layout->addWidget(fcbFilt_, 0, 0, 1, 2);
    layout->addWidget(label, 1, 0, 1, 2);
    layout->addWidget(ledtUser_, 2, 0);
    layout->addWidget(sbtAddEx_, 2, 1);
    // The user's choice is read at OK; choosing alone has no effect.
    connect(fcbFilt_, &QComboBox::activated, this,
            [this](int index) { guarded([&] { fcbFilt_->chooseEntry(index); }); });
    connect(sbtAddEx_, &QPushButton::clicked, this,
            [this] { guarded([this] { sbtAddExClick(); }); });
    return frame;
}

void TfrmDir::guarded(const std::function<void()>& handler) {
    ErrorDisplay::guard(messages_, this, handler);
}

std::string TfrmDir::folderText() const {
    return QFile::encodeName(ledtDir_->text()).toStdString();
}

std::string TfrmDir::mask() const {
    return fcbFilt_->mask();
}

// OK is enabled here and nowhere else, and never disabled again: typing or
// clearing the folder text leaves it as it is.
void TfrmDir::chooseFolder(QString folder) {
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    ledtDir_->setText(folder);
    bbtnOk_->setEnabled(true);
}

void TfrmDir::SpeedButton1Click() {
    const QString folder = files_.folder(this, tr("选择照片存放位置"));
    if (!folder.isEmpty())
        chooseFolder(folder);
}

void TfrmDir::sbtAddExClick() {
    fcbFilt_->setFilter(fcbFilt_->filter() + customEntryText(ledtUser_->text().toStdString()));
    {
        const QSignalBlocker blocker(fcbFilt_);
        fcbFilt_->setCurrentIndex(fcbFilt_->count() - 1);
    }
    messages_.plain(this, QCoreApplication::applicationName(),
                    QString::fromStdString(fcbFilt_->mask()));
}

} // namespace quorbel
