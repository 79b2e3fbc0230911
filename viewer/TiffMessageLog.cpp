#include "viewer/TiffMessageLog.h"

#include <cstdio>
#include <cstring>
#include <mutex>

namespace {

// Fuzzed files can raise thousands of messages; the first ones say enough.
constexpr std::size_t kMaxMessages = 64;
// libtiff refuses single allocations above this, so a lying header cannot exhaust memory.
constexpr tmsize_t kMaxSingleAllocation = 256 * 1024 * 1024;

void SilenceGlobalHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
    });
}

} // namespace

TiffMessageLog::TiffMessageLog() : m_options(TIFFOpenOptionsAlloc()) {
    SilenceGlobalHandlers();
    TIFFOpenOptionsSetMaxSingleMemAlloc(m_options, kMaxSingleAllocation);
    TIFFOpenOptionsSetErrorHandlerExtR(m_options, &TiffMessageLog::OnError, this);
    TIFFOpenOptionsSetWarningHandlerExtR(m_options, &TiffMessageLog::OnWarning, this);
}

TiffMessageLog::~TiffMessageLog() {
    TIFFOpenOptionsFree(m_options);
}

std::string TiffMessageLog::FirstError(const std::string& fallback) const {
    return m_errors.empty() ? fallback : m_errors.front();
}

int TiffMessageLog::OnError(TIFF*, void* self, const char* module, const char* format,
                            va_list args) {
    auto* log = static_cast<TiffMessageLog*>(self);
    // libtiff calls skipping one unreadable tag an error, yet reads the page without it.
    const bool skippedTag = std::strstr(format, "thus tag is not read from file") != nullptr;
    Append(skippedTag ? log->m_warnings : log->m_errors, module, format, args);
    return 1;
}

int TiffMessageLog::OnWarning(TIFF*, void* self, const char* module, const char* format,
                              va_list args) {
    Append(static_cast<TiffMessageLog*>(self)->m_warnings, module, format, args);
    return 1;
}

void TiffMessageLog::Append(std::vector<std::string>& list, const char* module, const char* format,
                            va_list args) {
    if (list.size() >= kMaxMessages) {
        return;
    }
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    std::string line = module ? std::string(module) + ": " + text : std::string(text);
    list.push_back(std::move(line));
}

TIFF* OpenTiffForReading(const std::string& path, const TiffMessageLog& log) {
    // "m": no memory mapping, so touched file pages do not count as our memory.
    return TIFFOpenExt(path.c_str(), "rm", log.Options());
}
