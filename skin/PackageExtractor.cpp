#include "skin/PackageExtractor.h"

#include "platform/FileException.h"
#include "platform/Prompts.h"
#include "zip/PackageLimits.h"
#include "zip/ZipException.h"
#include "zip/ZipReader.h"

namespace {

constexpr std::uint32_t kBufferSize = 0xFFFF;

} // namespace

CPackageExtractor::CPackageExtractor(CZipReader& archive, Prompts& prompts)
    : m_archive(archive), m_prompts(prompts) {}

bool CPackageExtractor::Extract(const std::string& package, const std::string& folder) {
    m_limitProblem.clear();
    CloseAfterError();
    if (!Open(package)) {
        m_prompts.MessageBox(kOpenFailed, Prompts::kIconError);
        return false;
    }
    bool complete = false;
    if (!ExtractEntries(folder, complete)) {
        CloseAfterError();
        m_prompts.MessageBox(kExtractFailed, Prompts::kIconError);
    }
    CloseAfterError();
    return complete;
}

bool CPackageExtractor::Open(const std::string& package) {
    for (int retries = 0;; ++retries) {
        switch (TryOpen(package)) {
        case Outcome::kOpened:
            return true;
        case Outcome::kFailed:
            return false;
        case Outcome::kRetry:
            break;
        }
        // After the last retry there is nothing left to ask.
        if (retries >= kMaxRetries ||
            m_prompts.MessageBox(kRetryQuestion, Prompts::kYesNo | Prompts::kIconError) ==
                Prompts::kIdNo) {
            return false;
        }
        CloseAfterError();
    }
}

CPackageExtractor::Outcome CPackageExtractor::TryOpen(const std::string& package) {
    try {
        m_archive.Open(package, 0, 0);
        return Outcome::kOpened;
    } catch (const CZipException& e) {
        return e.m_iCause == CZipException::zipErrEndRecordMissing ? Outcome::kRetry
                                                                   : Outcome::kFailed;
    } catch (const CFileException&) {
        return Outcome::kFailed;
    }
}

// The first failure ends the loop; an entry that cannot be completed is skipped quietly. A
// package over its limits fails before anything is written.
bool CPackageExtractor::ExtractEntries(const std::string& folder, bool& complete) {
    complete = false;
    if (const std::optional<std::string> problem = CPackageLimits::Problem(m_archive)) {
        m_limitProblem = *problem;
        return false;
    }
    try {
        const unsigned count = m_archive.GetEntryCount();
        complete = true;
        for (unsigned i = 0; i < count; ++i) {
            complete = m_archive.ExtractEntry(static_cast<std::uint16_t>(i), folder, true, nullptr,
                                              nullptr, nullptr, kBufferSize) &&
                       complete;
        }
        return true;
    } catch (const CZipException& e) {
        m_limitProblem = CPackageLimits::ProblemOf(e).value_or(std::string());
    } catch (const CFileException&) {
    }
    complete = false;
    return false;
}

void CPackageExtractor::CloseAfterError() {
    try {
        m_archive.Close(true);
    } catch (const CFileException&) {
    }
}
