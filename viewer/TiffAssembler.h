#pragma once

#include "viewer/TiffProgress.h"
#include "viewer/TiffSourceFile.h"
#include "viewer/TiffWriteHook.h"

#include <cstddef>
#include <future>
#include <memory>
#include <string>
#include <vector>

class SafeFileReplacer;

// One page of a new file: page `page` (from 0) of input `input`, turned clockwise by
// `quarterTurns`.
struct TiffPagePick {
    std::size_t input = 0;
    std::size_t page = 0;
    int quarterTurns = 0;
};

// Builds new TIFF files from pages of other files, every page copied as stored (see
// TiffPageCopier) unless it is turned. The inputs' chains of pages are walked when the
// assembler is made; the pages used are read by libtiff on a second core while they are
// written, and nothing is committed before libtiff has read each of them without an error,
// unless the file is only rewritten in place (see KeepOwnPages).
// The new file keeps the byte order of the first input and becomes a BigTIFF when an input is
// one or when it would pass 4 GiB.
class TiffAssembler {
public:
    static constexpr std::size_t kMaxResultPages = 32767;

    // `cancelled` is the message of work cancelled through `progress`.
    TiffAssembler(const std::vector<std::string>& inputs, TiffWriteHook hook, TiffProgress progress,
                  std::string cancelled);
    ~TiffAssembler();
    TiffAssembler(const TiffAssembler&) = delete;
    TiffAssembler& operator=(const TiffAssembler&) = delete;

    std::size_t PageCount(std::size_t input) const { return m_pages[input].size(); }
    const TiffSourceFile& Input(std::size_t input) const { return *m_files[input]; }
    std::uint64_t PageOffset(std::size_t input, std::size_t page) const {
        return m_pages[input][page];
    }
    // The pages written by all Write calls together, for the progress reports.
    void SetWorkTotal(std::size_t pages) { m_total = pages; }

    // Writes the picked pages into the new file of `replacer`, throwing TiffError on failure.
    void Write(const std::vector<TiffPagePick>& picks, SafeFileReplacer& replacer);
    // Has libtiff read the directories of the picked pages on a second core while they are
    // written. The first Write does it for its own picks; a caller that writes several files
    // from one assembler names all their pages here first.
    void CheckInBackground(const std::vector<TiffPagePick>& picks);
    // For a file rewritten from its own pages: they are copied as they are stored, so a page
    // libtiff dislikes must not block an edit that leaves it as it was. Only the chain walk
    // and each copied page's layout check apply; a page that is turned is still decoded by
    // libtiff.
    void KeepOwnPages() { m_checked = true; }
    // Waits for libtiff's reading of the inputs; throws TiffError if it failed.
    void CheckInputs();
    std::vector<std::string>& Warnings() { return m_warnings; }

private:
    void WritePages(const std::vector<TiffPagePick>& picks, class TiffOutputFile& out);
    bool StartsBig(const std::vector<TiffPagePick>& picks) const;

    std::vector<std::unique_ptr<TiffSourceFile>> m_files;
    std::vector<std::vector<std::uint64_t>> m_pages;
    TiffWriteHook m_hook;
    TiffProgress m_progress;
    std::string m_cancelled;
    std::size_t m_done = 0;
    std::size_t m_total = 0;
    std::vector<std::string> m_warnings;
    std::vector<std::string> m_libtiffWarnings;
    bool m_checked = false;
    // Last, so that it is waited for before anything it uses goes away.
    std::future<void> m_libtiffCheck;
};
