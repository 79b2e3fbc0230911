#include "viewer/TiffAssembler.h"

#include "viewer/SafeFileReplacer.h"
#include "viewer/TiffError.h"
#include "viewer/TiffOutputFile.h"
#include "viewer/TiffPageCopier.h"
#include "viewer/TiffValidator.h"

#include <algorithm>
#include <set>
#include <utility>

namespace {

// Classic TIFF is kept while the copied bytes leave this much room below 4 GiB.
constexpr std::uint64_t kClassicLimit = 0xFFFFFFFFull - (64ull << 20);

} // namespace

TiffAssembler::TiffAssembler(const std::vector<std::string>& inputs, TiffWriteHook hook,
                             TiffProgress progress, std::string cancelled)
    : m_hook(std::move(hook)), m_progress(std::move(progress)), m_cancelled(std::move(cancelled)) {
    for (const std::string& path : inputs) {
        m_files.push_back(std::make_unique<TiffSourceFile>(path));
        // Each page's layout is checked as it is copied; pages left out need none.
        m_pages.push_back(TiffValidator::WalkChain(*m_files.back()));
    }
}

void TiffAssembler::CheckInBackground(const std::vector<TiffPagePick>& picks) {
    std::vector<std::set<std::uint64_t>> used(m_files.size());
    for (const TiffPagePick& pick : picks) {
        used[pick.input].insert(m_pages[pick.input][pick.page]);
    }
    std::vector<std::pair<std::string, std::vector<std::uint64_t>>> work;
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        if (!used[i].empty()) {
            work.emplace_back(m_files[i]->Path(),
                              std::vector<std::uint64_t>(used[i].begin(), used[i].end()));
        }
    }
    m_libtiffCheck = std::async(std::launch::async, [this, work = std::move(work)] {
        for (const auto& [path, offsets] : work) {
            TiffValidator::ReadPagesWithLibtiff(path, offsets, m_libtiffWarnings);
        }
    });
}

TiffAssembler::~TiffAssembler() {
    if (m_libtiffCheck.valid()) {
        m_libtiffCheck.wait();
    }
}

void TiffAssembler::CheckInputs() {
    if (m_checked) {
        return;
    }
    m_libtiffCheck.get();
    m_checked = true;
    m_warnings.insert(m_warnings.begin(), m_libtiffWarnings.begin(), m_libtiffWarnings.end());
}

bool TiffAssembler::StartsBig(const std::vector<TiffPagePick>& picks) const {
    // Each picked page is guessed at its file's average page size; a wrong guess only costs
    // a second start as a BigTIFF.
    std::uint64_t estimate = 0;
    for (const TiffPagePick& pick : picks) {
        const TiffSourceFile& file = *m_files[pick.input];
        if (file.IsBigTiff()) {
            return true;
        }
        estimate += file.Size() / std::max<std::size_t>(1, m_pages[pick.input].size());
    }
    return estimate > kClassicLimit;
}

void TiffAssembler::Write(const std::vector<TiffPagePick>& picks, SafeFileReplacer& replacer) {
    if (picks.empty()) {
        throw TiffError("The new file would have no pages");
    }
    if (picks.size() > kMaxResultPages) {
        throw TiffError("The result would have more than " + std::to_string(kMaxResultPages) +
                        " pages");
    }
    if (!m_checked && !m_libtiffCheck.valid()) {
        CheckInBackground(picks);
    }
    const bool bigEndian = m_files.front()->IsBigEndian();
    bool big = StartsBig(picks);
    const std::size_t doneBefore = m_done;
    for (;;) {
        try {
            TiffOutputFile out(replacer.Descriptor(), big, bigEndian, m_hook);
            WritePages(picks, out);
            return;
        } catch (const TiffNeedsBigTiff&) {
            big = true;
            m_done = doneBefore;
            replacer.Truncate();
        }
    }
}

void TiffAssembler::WritePages(const std::vector<TiffPagePick>& picks, TiffOutputFile& out) {
    const bool big = out.IsBigTiff();
    out.AppendNumber(out.IsBigEndian() ? 0x4D4D : 0x4949, 2);
    out.AppendNumber(big ? 43 : 42, 2);
    if (big) {
        out.AppendNumber(8, 2);
        out.AppendNumber(0, 2);
    }
    std::uint64_t nextField = out.Position();
    out.AppendNumber(0, big ? 8 : 4);
    const auto total = static_cast<std::uint16_t>(picks.size());
    TiffPageCopier copier(out, m_warnings);
    for (std::size_t index = 0; index < picks.size(); ++index) {
        const TiffPagePick& pick = picks[index];
        const auto copied = copier.CopyPage(*m_files[pick.input], m_pages[pick.input][pick.page],
                                            static_cast<std::uint16_t>(index), total,
                                            TiffPageCopier::Turn{pick.quarterTurns, pick.page + 1});
        out.PatchNumber(nextField, copied.offset, big ? 8 : 4);
        nextField = copied.nextField;
        ++m_done;
        if (m_progress && !m_progress(m_done, std::max(m_total, m_done))) {
            throw TiffError(m_cancelled);
        }
    }
    out.Flush();
}
