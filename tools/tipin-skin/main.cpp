#include "tools/tipin-skin/SkinTool.h"

#include <csignal>
#include <iostream>
#include <string>

#ifndef TIPIN_VERSION
#error "TIPIN_VERSION comes from the CMake project version"
#endif

namespace {

constexpr const char* kHelp =
    "usage: tipin-skin extract PACKAGE FOLDER\n"
    "       tipin-skin check PACKAGE...\n"
    "       tipin-skin --help | --version\n"
    "\n"
    "extract  extracts the skin package PACKAGE into FOLDER exactly as Tipin does when it\n"
    "         loads a skin; one line on stderr per failure, with its cause and path\n"
    "check    extracts each PACKAGE as Tipin does and checks the skin it holds; one line per\n"
    "         finding: package, record, reason\n"
    "\n"
    "Exit status: 0 success (check: no findings), 1 failure (check: findings),\n"
    "2 usage error.\n";

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << kHelp;
        return CSkinTool::kSuccess;
    }
    if (argc == 2 && std::string(argv[1]) == "--version") {
        std::cout << "tipin-skin " TIPIN_VERSION "\n";
        return CSkinTool::kSuccess;
    }
    // A reader that goes away (`| head`) must not kill the tool before it removes its
    // temporary folders: the write fails instead, and so does the run.
    std::signal(SIGPIPE, SIG_IGN);
    CSkinTool tool(std::cerr);
    const int status = tool.Run(std::vector<std::string>(argv + 1, argv + argc));
    return std::cerr ? status : CSkinTool::kFailure;
}
