#pragma once

#include "viewer/TiffResults.h"

#include <ostream>
#include <string>
#include <vector>

// The command line of tipin-pages: count, info, insert, render, the page operations (delete,
// move, rotate, extract, split, cat), --help, --version.
class PagesCommand {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kFailure = 1;
    static constexpr int kUsageError = 2;

    PagesCommand(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}
    int Run(const std::vector<std::string>& arguments);

private:
    int Count(const std::vector<std::string>& arguments);
    int Info(const std::vector<std::string>& arguments);
    int Insert(const std::vector<std::string>& arguments);
    int Render(const std::vector<std::string>& arguments);
    int Delete(const std::vector<std::string>& arguments);
    int Move(const std::vector<std::string>& arguments);
    int Rotate(const std::vector<std::string>& arguments);
    int Extract(const std::vector<std::string>& arguments);
    int Split(const std::vector<std::string>& arguments);
    int Cat(const std::vector<std::string>& arguments);
    int Finish(const TiffStatus& status);
    int Usage(const std::string& problem);
    int Fail(const std::string& message);

    std::ostream& m_out;
    std::ostream& m_err;
};
