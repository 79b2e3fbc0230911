#include "tools/tipin-skin/SkinTool.h"

#include "platform/FileException.h"
#include "platform/PrivateFolder.h"
#include "skin/SkinChecker.h"
#include "zip/PackageLimits.h"
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
    if (arguments.size() >= 2 && arguments[0] == "check") {
        return Check({arguments.begin() + 1, arguments.end()});
    }
    return Usage();
}

int CSkinTool::Extract(const std::string& package, const std::string& folder) {
    CZipReader reader;
    CloseAfterError(reader);
    bool ok = OpenPackage(reader, package) && WithinLimits(reader, package) &&
              ExtractEntries(reader, folder);
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

bool CSkinTool::WithinLimits(const CZipReader& reader, const std::string& package) {
    const std::optional<std::string> problem = CPackageLimits::Problem(reader);
    if (problem) {
        m_err << package << ": package: " << *problem << "\n";
    }
    return !problem;
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
        if (const std::optional<std::string> problem = CPackageLimits::ProblemOf(e)) {
            m_err << e.m_szFileName << ": package: " << *problem << "\n";
        }
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
    m_err << "usage: tipin-skin extract PACKAGE FOLDER\n"
             "       tipin-skin check PACKAGE...\n";
    return kUsage;
}

int CSkinTool::Check(const std::vector<std::string>& packages) {
    bool clean = true;
    for (const std::string& package : packages) {
        clean = CheckPackage(package) && clean;
    }
    return clean ? kSuccess : kFailure;
}

bool CSkinTool::CheckPackage(const std::string& package) {
    bool clean = ReportUnsafeNames(package);
    const CPrivateFolder folder("tipin-check-");
    if (Extract(package, folder.Path()) != kSuccess) {
        m_err << package << ": package: the program stops extracting it at the failure above\n";
        clean = false;
    }
    for (const CSkinChecker::Finding& finding : CSkinChecker::CheckFolder(folder.Path())) {
        m_err << package << ": " << finding.record << ": " << finding.reason << "\n";
        clean = false;
    }
    return clean;
}

bool CSkinTool::ReportUnsafeNames(const std::string& package) {
    CZipReader reader;
    if (!OpenPackage(reader, package)) {
        return false;
    }
    bool safe = true;
    for (unsigned i = 0; i < reader.GetEntryCount(); ++i) {
        CZipEntryInfo info;
        if (reader.GetEntryInfo(static_cast<std::uint16_t>(i), info) &&
            CSkinChecker::IsUnsafeEntryName(info.GetFileName())) {
            m_err << package << ": entry " << info.GetFileName()
                  << ": unsafe entry name (it would leave the skin's folder)\n";
            safe = false;
        }
    }
    CloseAfterError(reader);
    return safe;
}
