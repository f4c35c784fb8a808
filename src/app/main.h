// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/localeformat.h"
#include "platform/services.h"
#include "renamelist/renamelist.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QToolBar;

namespace quorbel {

class ImageBox;
class RenameGrid;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    TfrmMain(const Services& services, const LocaleFormat& locale, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Commands; each runs through the error display when fired by the user.
    void actOpenFileExecute();
    void actOpenDirExecute();
    void actExitExecute();
    void actRenameExecute();
    void actExcelExecute();
    void actBHExecute();
    void actAboutExecute();
    void actClearResultExecute();
    void actSaveToExcelExecute();
    void actPrecheckExecute();
    void actUndoExecute();
    void actReplaceExecute();
    void actDateNameExecute();
    void bbtnSaveFilesClick();
    void bbtnClearListClick();

    // At start: a run that never finished is offered for undo.
    void offerUndoOfUnfinishedRun();

    void fillGrid(const std::vector<std::string>& paths);
    void viewPic(const std::string& path);
    void advGridRowChanging(int oldRow, int newRow, bool& allow);

    // Runs a handler; an error leaving it goes to the default error display.
    bool runGuarded(const std::function<void()>& handler);

    const Services& services() const { return services_; }
    RenameList& renameList() { return list_; }
    RenameGrid* advGrid() const { return advGrid_; }
    QPlainTextEdit* memFile() const { return memFile_; }
    QProgressBar* pb() const { return pb_; }
    ImageBox* ImgView() const { return imgView_; }
    QLabel* previewPanel() const { return panel4_; }
    QToolBar* toolBar() const { return toolBar_; }
    QAction* action(std::string_view name) const;
    void setStatusText(const QString& text);
    QString statusText() const;

    // No pop-up of Qt's own to hide the tool bar: every command is in the
    // action table, and none is a check mark.
    QMenu* createPopupMenu() override { return nullptr; }

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildActions();
    void buildMenus();
    void buildToolBar();
    QWidget* buildRightPanel();
    QWidget* buildFailurePanel();
    void bindGridEvents();
    void fitOuterSize();

    Services services_;
    RenameList list_;
    std::map<std::string, QAction*, std::less<>> actions_;
    RenameGrid* advGrid_ = nullptr;
    QPlainTextEdit* memFile_ = nullptr;
    QProgressBar* pb_ = nullptr;
    ImageBox* imgView_ = nullptr;
    QLabel* panel4_ = nullptr;
    QLabel* sbInfo_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    bool outerSizeFitted_ = false;
};

} // namespace quorbel
