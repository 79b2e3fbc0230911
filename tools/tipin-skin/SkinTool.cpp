#include "tools/tipin-skin/SkinTool.h"

#include "platform/FileException.h"
#include "zip/ZipException.h"
#include "zip/ZipReader.h"

namespace {

constexpr unsigned kBufferSize = 65535;

void Report(std::ostream& err, const CZipException& e) {
    err << "tipin-skin: zip error " << e.m_iCause << " " << CZipException::CauseName(e.m_iCause)
        << ": " << e.m_szFileName << "\n";
}

void Report(std::ostream& err, const CFileException& e) {
    err << "tipin-skin: file error " << e.m_cause << " " << CFileException::CauseName(e.m_cause)
        << ": " << e.m_strFileName << "\n";
}

} // namespace

CSkinTool::CSkinTool(std::ostream& err) : m_err(err) {}

int CSkinTool::Run(const std::vector<std::string>& arguments) {
    if (arguments.size() == 3 && arguments[0] == "extract") {
        return Extract(arguments[1], arguments[2]);
    }
    return Usage();
}

int CSkinTool::Extract(const std::string& package, const std::string& folder) {
    CZipReader reader;
    CloseAfterError(reader);
    bool ok = OpenPackage(reader, package) && ExtractEntries(reader, folder);
    try {
        reader.Close(true);
    } catch (const CFileException& e) {
        Report(m_err, e);
        ok = false;
    }
    return ok ? kSuccess : kFailure;
}

bool CSkinTool::OpenPackage(CZipReader& reader, const std::string& package) {
    try {
        reader.Open(package, 0, 0);
        return true;
    } catch (const CZipException& e) {
        Report(m_err, e);
    } catch (const CFileException& e) {
        Report(m_err, e);
    }
    return false;
}

bool CSkinTool::ExtractEntries(CZipReader& reader, const std::string& folder) {
    try {
        const unsigned count = reader.GetEntryCount();
        for (unsigned i = 0; i < count; ++i) {
            const auto index = static_cast<std::uint16_t>(i);
            if (!reader.ExtractEntry(index, folder, true, nullptr, nullptr, nullptr, kBufferSize)) {
                CZipEntryInfo info;
                reader.GetEntryInfo(index, info);
                m_err << "tipin-skin: note: entry " << i << " not extracted (encrypted or "
                      << "incomplete): " << info.GetFileName() << "\n";
            }
        }
        return true;
    } catch (const CZipException& e) {
        Report(m_err, e);
    } catch (const CFileException& e) {
        Report(m_err, e);
    }
    CloseAfterError(reader);
    return false;
}

void CSkinTool::CloseAfterError(CZipReader& reader) {
    try {
        reader.Close(true);
    } catch (const CFileException& e) {
        Report(m_err, e);
    }
}

int CSkinTool::Usage() {
    m_err << "usage: tipin-skin extract PACKAGE FOLDER\n";
    return kUsage;
}
