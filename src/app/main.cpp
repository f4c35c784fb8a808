// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main.h"

#include "app/about.h"
#include "app/actiontable.h"
#include "app/appicons.h"
#include "app/exportcommand.h"
#include "app/listdroptarget.h"
#include "app/mappingcommand.h"
#include "app/namerulecommands.h"
#include "app/numberingcommand.h"
#include "app/opendircommand.h"
#include "app/openfilecommand.h"
#include "app/renamecommands.h"
#include "app/saferuncommands.h"
#include "config/version.h"
#include "global/picturefiles.h"
#include "platform/dialogrunner.h"
#include "platform/errordisplay.h"
#include "preview/imagebox.h"
#include "preview/picturepreview.h"
#include "renamelist/renamegrid.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorbel {
namespace {

// The window's size with its frame, as the layout was drawn.
constexpr QSize outerSize(601, 507);

// Keeps the progress bar along the strip's bottom edge at the strip's full
// width, whatever width the group box leaves it.
class BottomEdgeFilter : public QObject {
public:
    BottomEdgeFilter(QWidget* bar, int height, QObject* parent)
        : QObject(parent), bar_(bar), height_(height) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            const QWidget* strip = static_cast<QWidget*>(watched);
            bar_->setGeometry(0, strip->height() - height_, strip->width(), height_);
        }
        return false;
    }

private:
    QWidget* bar_;
    int height_;
};

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A command without a hint shows no tool tip at all; Qt would otherwise fall back
// to the button's caption.
class HintlessToolTipFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::ToolTip; }
};

bool hasHint(std::string_view name) {
    for (const ActionEntry& entry : actionTable) {
        if (entry.name == name)
            return !entry.hint.empty();
    }
    return false;
}

} // namespace

TfrmMain::TfrmMain(const Services& services, const LocaleFormat& locale, QWidget* parent)
    : QMainWindow(parent), services_(services) {
    setObjectName(QStringLiteral("TfrmMain"));
    setWindowTitle(QStringLiteral("Quorbel V") + QString::fromUtf8(projectVersion));
    resize(outerSize);
    list_.setLocale(locale);
    buildActions();
    buildMenus();
    buildToolBar();
    advGrid_ = new RenameGrid(list_, this);
    advGrid_->setObjectName(QStringLiteral("advGrid"));
    advGrid_->setGuard(
        [this](const std::function<void()>& handler) { return runGuarded(handler); });
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(advGrid_, 1);
    layout->addWidget(buildRightPanel());
    setCentralWidget(central);
    sbInfo_ = new QLabel(this);
    sbInfo_->setObjectName(QStringLiteral("sbInfo"));
    statusBar()->addWidget(sbInfo_, 1);
    statusBar()->setFixedHeight(26);
    statusBar()->setSizeGripEnabled(true);
    bindGridEvents();
    new ListDropTarget(*this, advGrid_->viewport());
}

// The frame is known only once the window exists (with a window manager, once
// it has framed the window, which shows as a move); the client area then
// shrinks so that the window with its frame has the drawn size.
void TfrmMain::fitOuterSize() {
    if (outerSizeFitted_ || isMaximized() || isFullScreen())
        return;
    const QSize frame = frameGeometry().size() - size();
    if (frame.width() <= 0 && frame.height() <= 0)
        return;
    outerSizeFitted_ = true;
    resize(outerSize - frame);
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    fitOuterSize();
}

void TfrmMain::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    fitOuterSize();
}

// The grid and its model watch the list, which as a member dies before the
// window's children would; take the grid down while the list still exists.
TfrmMain::~TfrmMain() {
    delete advGrid_;
}

void TfrmMain::buildActions() {
    for (const ActionEntry& entry : actionTable) {
        auto* action = new QAction(appIcon(entry.icon), tr(entry.caption.data()), this);
        const QString toolCaption = tr(entry.caption.data(), "tool bar");
        if (toolCaption != QString::fromUtf8(entry.caption))
            action->setIconText(toolCaption);
        action->setObjectName(text(entry.name));
        action->setToolTip(entry.hint.empty() ? QString() : tr(entry.hint.data()));
        action->setVisible(entry.visible);
        action->setData(text(entry.category));
        action->setIconVisibleInMenu(true);
        const auto handler = entry.handler;
        connect(action, &QAction::triggered, this,
                [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); });
        actions_.emplace(std::string(entry.name), action);
    }
}

QAction* TfrmMain::action(std::string_view name) const {
    const auto found = actions_.find(name);
    return found == actions_.end() ? nullptr : found->second;
}

void TfrmMain::buildMenus() {
    for (const MenuEntry& entry : menuTree) {
        QMenu* menu = menuBar()->addMenu(tr(entry.caption.data(), "menu"));
        menu->setToolTipsVisible(false);
        for (std::string_view item : entry.items) {
            if (item == "-")
                menu->addSeparator();
            else if (!item.empty())
                menu->addAction(action(item));
        }
    }
}

void TfrmMain::buildToolBar() {
    toolBar_ = addToolBar(QStringLiteral("ToolBar1"));
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // The buttons' height and a two-pixel edge, whatever margins the style adds.
    toolBar_->setFixedHeight(39);
    toolBar_->setContextMenuPolicy(Qt::PreventContextMenu);
    auto* hintlessFilter = new HintlessToolTipFilter(toolBar_);
    for (std::string_view item : toolBarOrder) {
        if (item == "-") {
            auto* gap = new QWidget(toolBar_);
            gap->setFixedWidth(8);
            toolBar_->addWidget(gap);
            continue;
        }
        toolBar_->addAction(action(item));
        auto* button = qobject_cast<QToolButton*>(toolBar_->widgetForAction(action(item)));
        if (!button)
            continue;
        button->setFixedSize(55, 35);
        if (!hasHint(item))
            button->installEventFilter(hintlessFilter);
    }
}

QWidget* TfrmMain::buildRightPanel() {
    // A raised one-pixel edge, as panels have, leaves 160 pixels inside.
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel2"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setFixedWidth(162);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    panel4_ = new QLabel(tr("空空如也"), panel);
    panel4_->setObjectName(QStringLiteral("Panel4"));
    panel4_->setAlignment(Qt::AlignCenter);
    panel4_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel4_->setLineWidth(2);
    panel4_->setFixedHeight(155);
    imgView_ = new ImageBox(panel4_);
    imgView_->setObjectName(QStringLiteral("ImgView"));
    // The two-pixel bevel is the frame; the box fills what it leaves.
    auto* boxLayout = new QVBoxLayout(panel4_);
    boxLayout->setContentsMargins(0, 0, 0, 0);
    boxLayout->addWidget(imgView_);
    layout->addWidget(panel4_);
    layout->addWidget(buildFailurePanel(), 1);
    return panel;
}

QWidget* TfrmMain::buildFailurePanel() {
    auto* group = new QGroupBox(tr("文件处理失败列表"), this);
    group->setObjectName(QStringLiteral("GroupBox2"));
    // The strip needs its 153 pixels of buttons; the style's own group box
    // margin is all the edge it gets.
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(0, 2, 0, 0);
    memFile_ = new QPlainTextEdit(group);
    memFile_->setObjectName(QStringLiteral("memFile"));
    memFile_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memFile_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memFile_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(memFile_, 1);
    auto* strip = new QWidget(group);
    strip->setObjectName(QStringLiteral("Panel3"));
    strip->setFixedHeight(37);
    auto* save =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton), tr("保存列表"), strip);
    save->setObjectName(QStringLiteral("bbtnSaveFiles"));
    save->setGeometry(0, 5, 81, 25);
    auto* clear = new QPushButton(tr("清除列表"), strip);
    clear->setObjectName(QStringLiteral("bbtnClearList"));
    clear->setGeometry(85, 5, 68, 25);
    pb_ = new QProgressBar(strip);
    pb_->setObjectName(QStringLiteral("pb"));
    pb_->setRange(0, 100);
    pb_->setTextVisible(false);
    pb_->hide();
    strip->installEventFilter(new BottomEdgeFilter(pb_, 8, strip));
    connect(save, &QPushButton::clicked, this,
            [this] { runGuarded([this] { bbtnSaveFilesClick(); }); });
    connect(clear, &QPushButton::clicked, this,
            [this] { runGuarded([this] { bbtnClearListClick(); }); });
    layout->addWidget(strip);
    return group;
}

void TfrmMain::bindGridEvents() {
    list_.OnCanEditCell = [](int, int column, bool& canEdit) {
        canEdit = column == RenameList::NewName;
    };
    list_.OnIsFixedCell = [](int, int column, bool& isFixed) {
        isFixed = column != RenameList::NewName;
    };
    list_.OnClickSort = [this](int) { list_.renumberColumn(RenameList::Number); };
    list_.OnRowChanging = [this](int oldRow, int newRow, bool& allow) {
        advGridRowChanging(oldRow, newRow, allow);
    };
}

bool TfrmMain::runGuarded(const std::function<void()>& handler) {
    return ErrorDisplay::guard(*services_.messages, this, handler);
}

void TfrmMain::setStatusText(const QString& text) {
    sbInfo_->setText(text);
}

QString TfrmMain::statusText() const {
    return sbInfo_->text();
}

void TfrmMain::fillGrid(const std::vector<std::string>& paths) {
    list_.fill(paths, posixPathRule);
}

void TfrmMain::viewPic(const std::string& path) {
    viewPicture(*imgView_, path);
}

void TfrmMain::advGridRowChanging(int, int newRow, bool&) {
    const std::string path = list_.oldPath(newRow);
    if (isPicFile(path))
        viewPic(path);
    else
        imgView_->hide();
}

void TfrmMain::actOpenFileExecute() {
    openFileCommand(*this);
}
void TfrmMain::actOpenDirExecute() {
    openDirCommand(*this);
}
void TfrmMain::actExitExecute() {
    close();
}
void TfrmMain::actRenameExecute() {
    renameCommand(*this);
}
void TfrmMain::actExcelExecute() {
    mappingCommand(*this);
}
void TfrmMain::actBHExecute() {
    numberingCommand(*this);
}
void TfrmMain::actReplaceExecute() {
    replaceCommand(*this);
}
void TfrmMain::actDateNameExecute() {
    dateNameCommand(*this);
}
void TfrmMain::actClearResultExecute() {
    clearResultCommand(*this);
}
void TfrmMain::actSaveToExcelExecute() {
    exportCommand(*this);
}
void TfrmMain::actPrecheckExecute() {
    precheckCommand(*this);
}
void TfrmMain::actUndoExecute() {
    undoCommand(*this);
}
void TfrmMain::offerUndoOfUnfinishedRun() {
    runGuarded([this] { offerUndoCommand(*this); });
}
void TfrmMain::bbtnSaveFilesClick() {
    saveFailuresCommand(*this);
}
void TfrmMain::bbtnClearListClick() {
    clearFailuresCommand(*this);
}

void TfrmMain::actAboutExecute() {
    TAboutBox about(*services_.shell, services_.links, this);
    services_.dialogs->run(about);
}

} // namespace quorbel
