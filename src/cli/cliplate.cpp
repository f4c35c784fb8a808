#include "cli/cliplate.h"

#include "cli/clioptions.h"
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

std::vector<PlateBlock> blocksOf(const CliOptions& o) {
    try {
        const std::unique_ptr<WorkbookReader> reader = openWorkbook(o.plate);
        const MappingTable sheet = readNamedSheet(*reader, o.sheet);
        std::vector<PlateBlock> blocks = findPlateBlocks(sheet);
        if (blocks.empty())
            throw UsageError(o.plate + ": sheet \"" + o.sheet + "\": " + noPlateMessage(sheet));
        return blocks;
    } catch (const WorkbookError& error) {
        throw UsageError(o.plate + ": " + error.what());
    } catch (const MappingChoiceError& error) {
        throw UsageError(o.plate + ": " + error.what());
    }
}

std::string blockCount(size_t count) {
    return std::to_string(count) + (count == 1 ? " plate block" : " plate blocks");
}

// Block 1 unless --block names another; several blocks and no --block are
// worth a word, since the others are easily meant.
const PlateBlock& chosenBlock(const std::vector<PlateBlock>& blocks, const CliOptions& o) {
    if (o.block.empty()) {
        if (blocks.size() > 1)
            std::fprintf(stderr,
                         "quorbel-cli: sheet \"%s\" holds %s; using block 1 at %s (choose "
                         "another with --block)\n",
                         o.sheet.c_str(), blockCount(blocks.size()).c_str(),
                         blocks.front().cornerName().c_str());
        return blocks.front();
    }
    const std::optional<std::int32_t> number = readInteger(o.block);
    if (!number)
        throw UsageError("--block must be an integer, not \"" + o.block + "\"");
    if (*number < 1 || static_cast<size_t>(*number) > blocks.size())
        throw UsageError("--block " + o.block + ": sheet \"" + o.sheet + "\" of " + o.plate +
                         " holds " + blockCount(blocks.size()));
    return blocks[static_cast<size_t>(*number - 1)];
}

} // namespace

std::string applyPlateLayout(RenameList& list, const CliOptions& o) {
    const std::vector<PlateBlock> blocks = blocksOf(o);
    const PlateBlock& block = chosenBlock(blocks, o);
    return mappedStatusText(applyPlate(list, block, list.locale()));
}

} // namespace quorbel
