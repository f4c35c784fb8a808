// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"
#include "mapping/plateblock.h"
#include "mapping/workbookreader.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace quorbel {

// The mapping-table dialog: step 1 picks a workbook and one of its sheets, step 2
// the old-name and the new-name column. The sheet is read once, when it is
// chosen; the command reads the kept table after OK. A sheet that holds plate
// blocks offers the choice "板图": then step 2 picks a block instead of the
// two columns, and the wells in the file names find the new names.
class TfrmLinkExcel : public QDialog {
    Q_OBJECT
public:
    TfrmLinkExcel(const Services& services, WorkbookOpener opener = {}, QWidget* parent = nullptr);
    ~TfrmLinkExcel() override;

    void bbtnGetFileClick();
    void cbSheetChange();
    void cbOldNameChange();
    void cbNewNameChange();
    void ckbPlateClick();
    void cbBlockChange();

    // The open sheet, or nullptr while none is open.
    const MappingTable* table() const { return table_ ? &*table_ : nullptr; }
    // Indexes into table()->columnNames(), or -1 while no column is chosen.
    int oldNameColumn() const;
    int newNameColumn() const;
    // The plate blocks of the open sheet, top to bottom.
    const std::vector<PlateBlock>& plateBlocks() const { return blocks_; }
    // The plate choice is on and a block chosen: OK fills names by wells.
    bool plateChosen() const;
    // The chosen block while plateChosen(), else nullptr.
    const PlateBlock* chosenBlock() const;
    // On an open sheet: a block chosen, or both columns chosen, non-empty and
    // different.
    bool ready() const;

    bool connected() const { return reader_ != nullptr; }
    void closeWorkbook();

private:
    QGroupBox* buildStepOne();
    QGroupBox* buildStepTwo();
    void buildPlateChoice(QGroupBox* stepTwo);
    void buildButtons();
    void buildStatusBar();
    void runGuarded(void (TfrmLinkExcel::*handler)());
    void emptyColumnLists();
    void connectWorkbook();
    void fillSheetList();
    void openSheet(const std::string& sheetName);
    void fillColumnLists();
    void offerPlates();
    void forgetPlates();
    void showPlatePage(bool plate);
    void updateOk();

    Services services_;
    WorkbookOpener opener_;
    std::string path_;
    std::unique_ptr<WorkbookReader> reader_;
    std::vector<std::string> sheetNames_;
    std::optional<MappingTable> table_;
    std::vector<PlateBlock> blocks_;

    QPushButton* bbtnGetFile_ = nullptr;
    QComboBox* cbSheet_ = nullptr;
    QComboBox* cbOldName_ = nullptr;
    QComboBox* cbNewName_ = nullptr;
    QLabel* lbOldName_ = nullptr;
    QLabel* lbNewName_ = nullptr;
    QCheckBox* ckbPlate_ = nullptr;
    QLabel* lbBlock_ = nullptr;
    QComboBox* cbBlock_ = nullptr;
    QLabel* lbPlateSize_ = nullptr;
    QPushButton* bbtnOk_ = nullptr;
    QPushButton* bitBtn3_ = nullptr;
};

} // namespace quorbel
