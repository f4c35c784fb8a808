// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cliplate.h"

#include "cli/clioptions.h"
#include "cli/clitexts.h"
#include "cli/recordreader.h"
#include "mapping/applyplate.h"
#include "mapping/mappingchoice.h"
#include "mapping/platefinder.h"
#include "numbering/integerreading.h"
#include "renamelist/renamelist.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace quorbel {
namespace {

constexpr CoreText noPlateOnSheet{"%1: 工作表“%2”: %3", "%1: sheet \"%2\": %3"};
constexpr CoreText usingFirstBlock{
    "quorbel-cli: 工作表“%2”中有 %1 块板;使用位于 %3 的第 1 块(用 --block 选择其他块)\n",
    "quorbel-cli: sheet \"%2\" holds %1 plate blocks; using block 1 at %3 (choose another with "
    "--block)\n"};
constexpr CoreText blockNotThere{"--block %2: %4 的工作表“%3”只有 %1 块板",
                                 "--block %2: sheet \"%3\" of %4 holds %1 plate blocks",
                                 "--block %2: sheet \"%3\" of %4 holds 1 plate block"};

std::vector<PlateBlock> blocksOf(const CliOptions& o) {
    try {
        const std::unique_ptr<WorkbookReader> reader = openWorkbook(o.plate);
        const MappingTable sheet = readNamedSheet(*reader, o.sheet);
        std::vector<PlateBlock> blocks = findPlateBlocks(sheet);
        if (blocks.empty())
            throw UsageError(noPlateOnSheet.fill({o.plate, o.sheet, noPlateMessage(sheet)}));
        return blocks;
    } catch (const WorkbookError& error) {
        throw UsageError(o.plate + ": " + error.what());
    } catch (const MappingChoiceError& error) {
        throw UsageError(o.plate + ": " + error.what());
    }
}

// Block 1 unless --block names another; several blocks and no --block are
// worth a word, since the others are easily meant.
const PlateBlock& chosenBlock(const std::vector<PlateBlock>& blocks, const CliOptions& o) {
    if (o.block.empty()) {
        if (blocks.size() > 1)
            std::fputs(usingFirstBlock
                           .count(static_cast<long long>(blocks.size()),
                                  {o.sheet, blocks.front().cornerName()})
                           .c_str(),
                       stderr);
        return blocks.front();
    }
    const std::optional<std::int32_t> number = readInteger(o.block);
    if (!number)
        throw UsageError(clitext::notAnInteger.fill({"--block", o.block}));
    if (*number < 1 || static_cast<size_t>(*number) > blocks.size())
        throw UsageError(blockNotThere.count(static_cast<long long>(blocks.size()),
                                             {o.block, o.sheet, o.plate}));
    return blocks[static_cast<size_t>(*number - 1)];
}

} // namespace

std::string applyPlateLayout(RenameList& list, const CliOptions& o) {
    const std::vector<PlateBlock> blocks = blocksOf(o);
    const PlateBlock& block = chosenBlock(blocks, o);
    return mappedStatusText(applyPlate(list, block, list.locale()));
}

} // namespace quorbel
