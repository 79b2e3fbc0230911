#pragma once

#include <cstdarg>
#include <string>
#include <tiffio.h>
#include <vector>

// Collects libtiff's errors and warnings for the handles opened with its options, so that
// nothing is printed and every message reaches the operation's result.
class TiffMessageLog {
public:
    TiffMessageLog();
    ~TiffMessageLog();
    TiffMessageLog(const TiffMessageLog&) = delete;
    TiffMessageLog& operator=(const TiffMessageLog&) = delete;

    TIFFOpenOptions* Options() const { return m_options; }
    bool HasErrors() const { return !m_errors.empty(); }
    const std::vector<std::string>& Errors() const { return m_errors; }
    const std::vector<std::string>& Warnings() const { return m_warnings; }
    // The first error, or `fallback` when libtiff said nothing.
    std::string FirstError(const std::string& fallback) const;
    void ClearErrors() { m_errors.clear(); }

private:
    static int OnError(TIFF*, void* self, const char* module, const char* format, va_list args);
    static int OnWarning(TIFF*, void* self, const char* module, const char* format, va_list args);
    static void Append(std::vector<std::string>& list, const char* module, const char* format,
                       va_list args);

    TIFFOpenOptions* m_options;
    std::vector<std::string> m_errors;
    std::vector<std::string> m_warnings;
};

// Opens `path` read-only with libtiff, messages going to `log`; null when libtiff refuses.
TIFF* OpenTiffForReading(const std::string& path, const TiffMessageLog& log);
