#pragma once

#include <string>

class CZipReader;
class Prompts;

// Extracts every entry of a skin package into a folder with the window's zip reader, and
// tells the user what failed: the retry question when the archive has no central directory,
// "Open failed" and "Extract failed".
class CPackageExtractor {
public:
    static constexpr const char* kRetryQuestion =
        "The central directory was not found. If you're opening a multi-disk archive, make sure "
        "you have inserted the last disk. Retry?";
    static constexpr const char* kOpenFailed = "Open failed";
    static constexpr const char* kExtractFailed = "Extract failed";
    // Yes answers to the retry question after which opening counts as failed: the file does
    // not change between tries, so endless retries would only trap the user.
    static constexpr int kMaxRetries = 3;

    CPackageExtractor(CZipReader& archive, Prompts& prompts);

    // True when every entry was extracted; the user has been told of any failure but an
    // entry that could not be completed.
    bool Extract(const std::string& package, const std::string& folder);
    // Why the last extraction stopped when a package limit was crossed; empty otherwise.
    const std::string& LimitProblem() const { return m_limitProblem; }

private:
    enum class Outcome { kOpened, kRetry, kFailed };

    bool Open(const std::string& package);
    Outcome TryOpen(const std::string& package);
    bool ExtractEntries(const std::string& folder, bool& complete);
    void CloseAfterError();

    CZipReader& m_archive;
    Prompts& m_prompts;
    std::string m_limitProblem;
};
