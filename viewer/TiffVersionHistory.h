#pragma once

#include "viewer/TiffFileIdentity.h"
#include "viewer/TiffKeptVersion.h"
#include "viewer/TiffResults.h"
#include "viewer/TiffWriteHook.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The undo and redo steps of the changes Tipin makes to one file. Each version is a
// TiffKeptVersion: the file a change replaced stays open instead of being copied, so the
// earlier versions have no name and vanish with the process. While it runs they take the disk
// space of their own sizes, up to kMaxSteps of them beside the file itself.
//
// Call BeforeChange just before a change and AfterChange once it succeeded; a change that
// failed needs nothing more. Undo and Redo put a version back whole through SafeFileReplacer,
// and refuse, writing nothing, when the file is no longer the one Tipin left there.
class TiffVersionHistory {
public:
    static constexpr std::size_t kMaxSteps = 20;

    explicit TiffVersionHistory(std::string target);

    void BeforeChange();
    void AfterChange();

    std::size_t UndoSteps() const { return m_versions.empty() ? 0 : m_current; }
    std::size_t RedoSteps() const {
        return m_versions.empty() ? 0 : m_versions.size() - 1 - m_current;
    }
    // The disk space the earlier and later versions hold while Tipin runs.
    std::uint64_t KeptBytes() const;

    TiffStatus Undo(const TiffWriteHook& hook = {});
    TiffStatus Redo(const TiffWriteHook& hook = {});

private:
    void Restart();
    void Keep(TiffKeptVersion written);
    TiffStatus StepTo(std::size_t index, const std::string& verb, const TiffWriteHook& hook);
    void Restore(std::size_t index, const TiffWriteHook& hook);

    std::string m_target;
    std::vector<TiffKeptVersion> m_versions;
    // The version on disk, as long as the file is what m_written says.
    std::size_t m_current = 0;
    TiffFileIdentity m_written;
    std::optional<TiffKeptVersion> m_before;
    // BeforeChange found the file as Tipin left it, so the change follows m_current.
    bool m_continues = false;
};
