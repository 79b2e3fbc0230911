#pragma once

#include <ostream>
#include <string>
#include <vector>

class CZipReader;

// The commands of `tipin-skin`, the skin authors' tool. Exit codes: 0 success, 1 failure,
// 2 usage error. Failures go to `err`, one line each.
class CSkinTool {
public:
    enum ExitCode { kSuccess = 0, kFailure = 1, kUsage = 2 };

    explicit CSkinTool(std::ostream& err);

    int Run(const std::vector<std::string>& arguments);
    // Extracts a skin package exactly as the program does when it loads one.
    int Extract(const std::string& package, const std::string& folder);
    // Extracts each package as the program does and reports what is wrong with its skin,
    // one line per finding: package, record, reason.
    int Check(const std::vector<std::string>& packages);

private:
    bool OpenPackage(CZipReader& reader, const std::string& package);
    bool WithinLimits(const CZipReader& reader, const std::string& package);
    bool ExtractEntries(CZipReader& reader, const std::string& folder);
    void CloseAfterError(CZipReader& reader);
    int Usage();
    bool CheckPackage(const std::string& package);
    bool ReportUnsafeNames(const std::string& package);

    std::ostream& m_err;
};
