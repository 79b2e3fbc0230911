#include "viewer/TiffInserter.h"

#include "viewer/SafeFileReplacer.h"
#include "viewer/TiffAssembler.h"
#include "viewer/TiffError.h"

#include <system_error>
#include <vector>

namespace {

std::vector<TiffPagePick> Plan(const TiffAssembler& assembler, int position) {
    const std::size_t pages = assembler.PageCount(0);
    const std::size_t inserted = assembler.PageCount(1);
    if (position < 1 || static_cast<std::size_t>(position) > pages + 1) {
        throw TiffError("Position " + std::to_string(position) + " is outside 1 to " +
                        std::to_string(pages + 1));
    }
    if (pages + inserted > TiffAssembler::kMaxResultPages) {
        throw TiffError("The result would have more than " +
                        std::to_string(TiffAssembler::kMaxResultPages) + " pages");
    }
    const auto first = static_cast<std::size_t>(position - 1);
    std::vector<TiffPagePick> picks;
    for (std::size_t page = 0; page < first; ++page) {
        picks.push_back({0, page, 0});
    }
    for (std::size_t page = 0; page < inserted; ++page) {
        picks.push_back({1, page, 0});
    }
    for (std::size_t page = first; page < pages; ++page) {
        picks.push_back({0, page, 0});
    }
    return picks;
}

void InsertChecked(const std::string& givenTarget, int position, const std::string& sourcePath,
                   const TiffWriteHook& hook, const TiffProgress& progress,
                   std::vector<std::string>& warnings) {
    // A symbolic link is followed once, here: the file it leads to is read and replaced,
    // and the link stays as it is.
    const std::string targetPath = SafeFileReplacer::ResolveTarget(givenTarget);
    TiffAssembler assembler({targetPath, sourcePath}, hook, progress, TiffInserter::kCancelled);
    const std::vector<TiffPagePick> picks = Plan(assembler, position);
    assembler.SetWorkTotal(picks.size());
    SafeFileReplacer replacer(targetPath);
    assembler.Write(picks, replacer);
    assembler.CheckInputs();
    replacer.Commit();
    warnings = std::move(assembler.Warnings());
}

} // namespace

TiffStatus TiffInserter::Insert(const std::string& target, int position, const std::string& source,
                                const TiffWriteHook& hook, const TiffProgress& progress) {
    TiffStatus status;
    try {
        InsertChecked(target, position, source, hook, progress, status.warnings);
        status.ok = true;
    } catch (const TiffError& error) {
        status.message = error.what();
    } catch (const std::bad_alloc&) {
        status.message = "Not enough memory to insert the pages";
    } catch (const std::system_error& error) {
        status.message = std::string("Cannot insert the pages: ") + error.what();
    }
    return status;
}
