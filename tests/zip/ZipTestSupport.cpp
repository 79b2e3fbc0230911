#include "tests/zip/ZipTestSupport.h"

#include "platform/FileException.h"
#include "zip/ZipException.h"

#include <fstream>
#include <sstream>

namespace tipin::test {

int OpenCause(CZipReader& reader, const std::string& archive) {
    try {
        reader.Close(true);
        reader.Open(archive, 0, 0);
        return 0;
    } catch (const CZipException& e) {
        return e.m_iCause;
    } catch (const CFileException& e) {
        return kFileCauseBase + e.m_cause;
    }
}

int ExtractPackage(CZipReader& reader, const std::string& archive, const std::string& folder) {
    int cause = OpenCause(reader, archive);
    try {
        for (unsigned i = 0; cause == 0 && i < reader.GetEntryCount(); ++i) {
            reader.ExtractEntry(static_cast<std::uint16_t>(i), folder, true, nullptr, nullptr,
                                nullptr, 65535);
        }
    } catch (const CZipException& e) {
        cause = e.m_iCause;
    } catch (const CFileException& e) {
        cause = kFileCauseBase + e.m_cause;
    }
    reader.Close(true);
    return cause;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace tipin::test
