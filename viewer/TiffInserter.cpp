#include "viewer/TiffInserter.h"

#include "viewer/SafeFileReplacer.h"
#include "viewer/TiffError.h"
#include "viewer/TiffOutputFile.h"
#include "viewer/TiffPageCopier.h"
#include "viewer/TiffSourceFile.h"
#include "viewer/TiffValidator.h"

#include <future>
#include <system_error>
#include <vector>

namespace {

// PageNumber holds 16-bit numbers, and so does the viewer's page count.
constexpr std::size_t kMaxResultPages = 32767;
// Classic TIFF is kept while the copied bytes leave this much room below 4 GiB.
constexpr std::uint64_t kClassicLimit = 0xFFFFFFFFull - (64ull << 20);

struct Plan {
    const TiffSourceFile& target;
    const TiffSourceFile& source;
    std::vector<std::uint64_t> targetPages;
    std::vector<std::uint64_t> sourcePages;
    std::size_t firstInserted = 0;
};

void WritePages(const Plan& plan, TiffOutputFile& out, const TiffProgress& progress,
                std::vector<std::string>& warnings) {
    const bool big = out.IsBigTiff();
    out.AppendNumber(out.IsBigEndian() ? 0x4D4D : 0x4949, 2);
    out.AppendNumber(big ? 43 : 42, 2);
    if (big) {
        out.AppendNumber(8, 2);
        out.AppendNumber(0, 2);
    }
    std::uint64_t nextField = out.Position();
    out.AppendNumber(0, big ? 8 : 4);
    const std::size_t inserted = plan.sourcePages.size();
    const std::size_t total = plan.targetPages.size() + inserted;
    TiffPageCopier copier(out, warnings);
    for (std::size_t page = 0; page < total; ++page) {
        const bool fromSource = page >= plan.firstInserted && page < plan.firstInserted + inserted;
        const TiffSourceFile& file = fromSource ? plan.source : plan.target;
        const std::uint64_t ifd =
            fromSource ? plan.sourcePages[page - plan.firstInserted]
                       : plan.targetPages[page < plan.firstInserted ? page : page - inserted];
        const auto copied = copier.CopyPage(file, ifd, static_cast<std::uint16_t>(page),
                                            static_cast<std::uint16_t>(total));
        out.PatchNumber(nextField, copied.offset, big ? 8 : 4);
        nextField = copied.nextField;
        if (progress && !progress(page + 1, total)) {
            throw TiffError(TiffInserter::kCancelled);
        }
    }
    out.Flush();
}

void CheckRange(const Plan& plan, int position) {
    const std::size_t pages = plan.targetPages.size();
    if (position < 1 || static_cast<std::size_t>(position) > pages + 1) {
        throw TiffError("Position " + std::to_string(position) + " is outside 1 to " +
                        std::to_string(pages + 1));
    }
    if (pages + plan.sourcePages.size() > kMaxResultPages) {
        throw TiffError("The result would have more than " + std::to_string(kMaxResultPages) +
                        " pages");
    }
}

void WriteResult(const Plan& plan, SafeFileReplacer& replacer, const TiffWriteHook& hook,
                 const TiffProgress& progress, std::vector<std::string>& warnings) {
    const TiffSourceFile& target = plan.target;
    const TiffSourceFile& source = plan.source;
    bool big =
        target.IsBigTiff() || source.IsBigTiff() || target.Size() + source.Size() > kClassicLimit;
    for (;;) {
        try {
            TiffOutputFile out(replacer.Descriptor(), big, target.IsBigEndian(), hook);
            WritePages(plan, out, progress, warnings);
            return;
        } catch (const TiffNeedsBigTiff&) {
            big = true;
            replacer.Truncate();
        }
    }
}

void InsertChecked(const std::string& givenTarget, int position, const std::string& sourcePath,
                   const TiffWriteHook& hook, const TiffProgress& progress,
                   std::vector<std::string>& warnings) {
    // A symbolic link is followed once, here: the file it leads to is read and replaced,
    // and the link stays as it is.
    const std::string targetPath = SafeFileReplacer::ResolveTarget(givenTarget);
    const TiffSourceFile target(targetPath);
    const TiffSourceFile source(sourcePath);
    Plan plan{target, source, TiffValidator::WalkPages(target), TiffValidator::WalkPages(source)};
    CheckRange(plan, position);
    plan.firstInserted = static_cast<std::size_t>(position - 1);
    // libtiff reads both files on a second core while the copy is written; only the commit
    // waits for its verdict. Its future outlives nothing it refers to.
    std::vector<std::string> libtiffWarnings;
    auto libtiffCheck = std::async(std::launch::async, [&] {
        TiffValidator::CheckWithLibtiff(targetPath, plan.targetPages.size(), libtiffWarnings);
        TiffValidator::CheckWithLibtiff(sourcePath, plan.sourcePages.size(), libtiffWarnings);
    });
    SafeFileReplacer replacer(targetPath);
    WriteResult(plan, replacer, hook, progress, warnings);
    libtiffCheck.get();
    warnings.insert(warnings.begin(), libtiffWarnings.begin(), libtiffWarnings.end());
    replacer.Commit();
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
