#include "viewer/TiffVersionHistory.h"

#include "viewer/SafeFileReplacer.h"
#include "viewer/TiffError.h"

#include <utility>

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

TiffStatus Failed(std::string message) {
    TiffStatus status;
    status.message = std::move(message);
    return status;
}

} // namespace

TiffVersionHistory::TiffVersionHistory(std::string target) : m_target(std::move(target)) {}

void TiffVersionHistory::BeforeChange() {
    m_before.reset();
    m_continues = false;
    try {
        const std::string path = SafeFileReplacer::ResolveTarget(m_target);
        if (!m_versions.empty() && TiffFileIdentity::OfPath(path) == m_written) {
            // The change unlinks this name; another name would let the version change.
            m_versions[m_current].MakePrivate(FolderOf(path), 1);
            m_continues = true;
            return;
        }
        TiffKeptVersion before = TiffKeptVersion::Open(path);
        before.MakePrivate(FolderOf(path), 1);
        m_before = std::move(before);
    } catch (const TiffError&) {
        // The file is missing or cannot be kept: the change starts a history of its own.
        m_before.reset();
    }
}

void TiffVersionHistory::AfterChange() {
    try {
        Keep(TiffKeptVersion::Open(SafeFileReplacer::ResolveTarget(m_target)));
    } catch (const TiffError&) {
        // What was written cannot be read back; undoing past it would be guesswork.
        Restart();
    }
    m_before.reset();
    m_continues = false;
}

void TiffVersionHistory::Restart() {
    m_versions.clear();
    m_current = 0;
}

void TiffVersionHistory::Keep(TiffKeptVersion written) {
    if (m_continues) {
        m_versions.erase(m_versions.begin() + std::ptrdiff_t(m_current + 1), m_versions.end());
    } else {
        Restart();
        if (m_before) {
            m_versions.push_back(std::move(*m_before));
        }
    }
    m_written = written.Identity();
    m_versions.push_back(std::move(written));
    if (m_versions.size() > kMaxSteps + 1) {
        m_versions.erase(m_versions.begin(),
                         m_versions.begin() + std::ptrdiff_t(m_versions.size() - kMaxSteps - 1));
    }
    m_current = m_versions.size() - 1;
}

std::uint64_t TiffVersionHistory::KeptBytes() const {
    std::uint64_t bytes = 0;
    for (std::size_t i = 0; i < m_versions.size(); ++i) {
        bytes += i == m_current ? 0 : m_versions[i].Size();
    }
    return bytes;
}

TiffStatus TiffVersionHistory::Undo(const TiffWriteHook& hook) {
    if (UndoSteps() == 0) {
        return Failed("There is nothing to undo");
    }
    return StepTo(m_current - 1, "undone", hook);
}

TiffStatus TiffVersionHistory::Redo(const TiffWriteHook& hook) {
    if (RedoSteps() == 0) {
        return Failed("There is nothing to redo");
    }
    return StepTo(m_current + 1, "redone", hook);
}

TiffStatus TiffVersionHistory::StepTo(std::size_t index, const std::string& verb,
                                      const TiffWriteHook& hook) {
    if (TiffFileIdentity::OfPath(m_target) != m_written) {
        return Failed(m_target +
                      " was changed by another program since Tipin wrote it; nothing was " + verb);
    }
    try {
        Restore(index, hook);
    } catch (const TiffError& error) {
        return Failed(error.what());
    } catch (const std::bad_alloc&) {
        return Failed("Not enough memory to restore " + m_target);
    }
    TiffStatus status;
    status.ok = true;
    return status;
}

void TiffVersionHistory::Restore(std::size_t index, const TiffWriteHook& hook) {
    const std::string path = SafeFileReplacer::ResolveTarget(m_target);
    SafeFileReplacer replacer(path);
    m_versions[index].CopyTo(replacer.Descriptor(), hook);
    TiffKeptVersion restored = TiffKeptVersion::Duplicate(replacer.Descriptor());
    replacer.Commit();
    m_written = restored.Identity();
    // The file on disk now stands for the version, so the copy it was made from is freed.
    m_versions[index] = std::move(restored);
    const std::size_t replaced = std::exchange(m_current, index);
    try {
        m_versions[replaced].MakePrivate(FolderOf(path), 0);
    } catch (const TiffError&) {
        // The replaced version still has another name and cannot be copied: stepping back to
        // it could bring back bytes changed since, so only the version on disk stays.
        TiffKeptVersion current = std::move(m_versions[index]);
        Restart();
        m_versions.push_back(std::move(current));
    }
}
