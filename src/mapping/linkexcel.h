#pragma once

#include "platform/services.h"
#include "mapping/workbookreader.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QGroupBox;
class QPushButton;

namespace quorbel {

// The mapping-table dialog: step 1 picks a workbook and one of its sheets, step 2
// the old-name and the new-name column. The sheet is read once, when it is
// chosen; the command reads the kept table after OK.
class TfrmLinkExcel : public QDialog {
    Q_OBJECT
public:
    TfrmLinkExcel(const Services& services, WorkbookOpener opener = {}, QWidget* parent = nullptr);
    ~TfrmLinkExcel() override;

    void bbtnGetFileClick();
    void cbSheetChange();
    void cbOldNameChange();
    void cbNewNameChange();

    // The open sheet, or nullptr while none is open.
    const MappingTable* table() const { return table_ ? &*table_ : nullptr; }
    // Indexes into table()->columnNames(), or -1 while no column is chosen.
    int oldNameColumn() const;
    int newNameColumn() const;
    // Both columns chosen, non-empty and different, on an open sheet.
    bool ready() const;

    bool connected() const { return reader_ != nullptr; }
    void closeWorkbook();

private:
    QGroupBox* buildStepOne();
    QGroupBox* buildStepTwo();
    void buildButtons();
    void buildStatusBar();
    void runGuarded(void (TfrmLinkExcel::*handler)());
    void emptyColumnLists();
    void connectWorkbook();
    void fillSheetList();
    void openSheet(const std::string& sheetName);
    void fillColumnLists();
    void updateOk();

    Services services_;
    WorkbookOpener opener_;
    std::string path_;
    std::unique_ptr<WorkbookReader> reader_;
    std::vector<std::string> sheetNames_;
    std::optional<MappingTable> table_;

    QPushButton* bbtnGetFile_ = nullptr;
    QComboBox* cbSheet_ = nullptr;
    QComboBox* cbOldName_ = nullptr;
    QComboBox* cbNewName_ = nullptr;
    QPushButton* bbtnOk_ = nullptr;
    QPushButton* bitBtn3_ = nullptr;
};

} // namespace quorbel
