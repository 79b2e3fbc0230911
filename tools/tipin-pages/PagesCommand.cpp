#include "tools/tipin-pages/PagesCommand.h"

#include "tools/tipin-pages/PngWriter.h"
#include "tools/tipin-pages/TiffNames.h"
#include "viewer/TiffDocument.h"

#include <charconv>
#include <optional>

namespace {

constexpr const char* kHelp =
    "usage: tipin-pages count FILE\n"
    "       tipin-pages info FILE\n"
    "       tipin-pages insert TARGET POSITION SOURCE\n"
    "       tipin-pages render FILE PAGE OUT.png [--fit WxH]\n"
    "       tipin-pages delete TARGET RANGES\n"
    "       tipin-pages move TARGET RANGES POSITION\n"
    "       tipin-pages rotate TARGET RANGES 90|180|270\n"
    "       tipin-pages extract SOURCE RANGES OUT\n"
    "       tipin-pages split SOURCE FOLDER\n"
    "       tipin-pages cat OUT FILE [RANGES] [FILE [RANGES]]...\n"
    "       tipin-pages --help | --version\n"
    "\n"
    "count   prints the number of pages of FILE\n"
    "info    prints per page: size, bits, photometric, compression, strips or tiles, bytes;\n"
    "        photometric and compression as numbers with their names, as in 4 (CCITT G4)\n"
    "insert  inserts every page of SOURCE into TARGET; the first inserted page becomes page\n"
    "        POSITION (1 = in front, pages + 1 = after the last); TARGET is replaced safely\n"
    "render  writes page PAGE (from 1) as a PNG fitted into WxH; without --fit at its own\n"
    "        size, shrunk to fit 4096x4096 when larger\n"
    "delete  removes the pages from TARGET (not every page)\n"
    "move    puts the pages, in the order named, so that the first becomes page POSITION\n"
    "rotate  turns the pages clockwise, pixel for pixel (JPEG pages are refused)\n"
    "extract writes the pages to the new file OUT\n"
    "split   writes each page to FOLDER/STEM-NNN.tif; nothing when a name is taken\n"
    "cat     writes the pages of the FILEs (all, or RANGES) to OUT, in order\n"
    "\n"
    "RANGES  pages from 1, comma-separated: N, N-M (descending when M < N), z = last page\n"
    "        (5-z); taken in the order written. Files are replaced whole or not at all,\n"
    "        pages copied as stored.\n"
    "\n"
    "Exit status: 0 success, 1 failure (one line on stderr), 2 usage error.\n";

#ifndef TIPIN_VERSION
#error "TIPIN_VERSION comes from the CMake project version"
#endif
constexpr const char* kVersion = "tipin-pages " TIPIN_VERSION "\n";

constexpr int kDefaultFit = 4096;

std::optional<int> ParseNumber(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::pair<int, int>> ParseFit(const std::string& text) {
    const std::size_t cross = text.find('x');
    if (cross == std::string::npos) {
        return std::nullopt;
    }
    const auto width = ParseNumber(text.substr(0, cross));
    const auto height = ParseNumber(text.substr(cross + 1));
    if (!width || !height || *width < 1 || *height < 1) {
        return std::nullopt;
    }
    return std::make_pair(*width, *height);
}

std::optional<TiffPageRanges> ParseRanges(const std::string& text, std::string& problem) {
    try {
        return TiffPageRanges::Parse(text);
    } catch (const TiffRequestError& error) {
        problem = error.what();
        return std::nullopt;
    }
}

} // namespace

int PagesCommand::Run(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return Usage("no command given");
    }
    const std::string& command = arguments[0];
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (command == "--help" || command == "-h") {
        m_out << kHelp;
        return kSuccess;
    }
    if (command == "--version") {
        m_out << kVersion;
        return kSuccess;
    }
    if (command == "count") {
        return Count(rest);
    }
    if (command == "info") {
        return Info(rest);
    }
    if (command == "insert") {
        return Insert(rest);
    }
    if (command == "render") {
        return Render(rest);
    }
    if (command == "delete") {
        return Delete(rest);
    }
    if (command == "move") {
        return Move(rest);
    }
    if (command == "rotate") {
        return Rotate(rest);
    }
    if (command == "extract") {
        return Extract(rest);
    }
    if (command == "split") {
        return Split(rest);
    }
    if (command == "cat") {
        return Cat(rest);
    }
    return Usage("unknown command " + command);
}

int PagesCommand::Usage(const std::string& problem) {
    m_err << "tipin-pages: " << problem << " (see tipin-pages --help)\n";
    return kUsageError;
}

int PagesCommand::Fail(const std::string& message) {
    m_err << "tipin-pages: " << message << "\n";
    return kFailure;
}

int PagesCommand::Count(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) {
        return Usage("count takes one FILE");
    }
    const PageCountResult result = TiffDocument::CountPages(arguments[0]);
    if (!result.status.ok) {
        return Fail(result.status.message);
    }
    m_out << result.pageCount << "\n";
    return kSuccess;
}

int PagesCommand::Info(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) {
        return Usage("info takes one FILE");
    }
    const InfoResult result = TiffDocument::Describe(arguments[0]);
    if (!result.status.ok) {
        return Fail(result.status.message);
    }
    int number = 1;
    for (const PageInfo& page : result.pages) {
        m_out << "page " << number++ << ": " << page.width << "x" << page.height << ", "
              << page.bitsPerSample << " bits x " << page.samplesPerPixel << ", photometric "
              << TiffNames::PhotometricText(page.photometric) << ", compression "
              << TiffNames::CompressionText(page.compression) << ", " << page.strileCount
              << (page.tiled ? " tiles" : " strips") << ", " << page.dataBytes << " bytes\n";
    }
    return kSuccess;
}

int PagesCommand::Insert(const std::vector<std::string>& arguments) {
    if (arguments.size() != 3) {
        return Usage("insert takes TARGET POSITION SOURCE");
    }
    const auto position = ParseNumber(arguments[1]);
    if (!position) {
        return Usage("POSITION must be a number: " + arguments[1]);
    }
    const TiffStatus status = TiffDocument::InsertPages(arguments[0], *position, arguments[2]);
    if (!status.ok) {
        return Fail(status.message);
    }
    return kSuccess;
}

int PagesCommand::Render(const std::vector<std::string>& arguments) {
    std::pair<int, int> fit{kDefaultFit, kDefaultFit};
    bool fitGiven = false;
    std::vector<std::string> plain;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--fit") {
            const auto parsed =
                i + 1 < arguments.size() ? ParseFit(arguments[i + 1]) : std::nullopt;
            if (!parsed) {
                return Usage("--fit wants WxH, for example 800x1000");
            }
            fit = *parsed;
            fitGiven = true;
            ++i;
        } else {
            plain.push_back(arguments[i]);
        }
    }
    if (plain.size() != 3) {
        return Usage("render takes FILE PAGE OUT.png [--fit WxH]");
    }
    const auto page = ParseNumber(plain[1]);
    if (!page) {
        return Usage("PAGE must be a number: " + plain[1]);
    }
    const RenderResult result =
        TiffDocument::RenderPage(plain[0], *page, fit.first, fit.second, fitGiven);
    if (!result.status.ok) {
        return Fail(result.status.message);
    }
    std::string error;
    if (!PngWriter::Write(plain[2], result.image, error)) {
        return Fail("Cannot write " + plain[2] + ": " + error);
    }
    return kSuccess;
}

int PagesCommand::Finish(const TiffStatus& status) {
    if (status.ok) {
        return kSuccess;
    }
    return status.badRequest ? Usage(status.message) : Fail(status.message);
}

int PagesCommand::Delete(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2) {
        return Usage("delete takes TARGET RANGES");
    }
    std::string problem;
    const auto pages = ParseRanges(arguments[1], problem);
    if (!pages) {
        return Usage(problem);
    }
    return Finish(TiffDocument::DeletePages(arguments[0], *pages));
}

int PagesCommand::Move(const std::vector<std::string>& arguments) {
    if (arguments.size() != 3) {
        return Usage("move takes TARGET RANGES POSITION");
    }
    std::string problem;
    const auto pages = ParseRanges(arguments[1], problem);
    if (!pages) {
        return Usage(problem);
    }
    const auto position = ParseNumber(arguments[2]);
    if (!position) {
        return Usage("POSITION must be a number: " + arguments[2]);
    }
    return Finish(TiffDocument::MovePages(arguments[0], *pages, *position));
}

int PagesCommand::Rotate(const std::vector<std::string>& arguments) {
    if (arguments.size() != 3) {
        return Usage("rotate takes TARGET RANGES 90|180|270");
    }
    std::string problem;
    const auto pages = ParseRanges(arguments[1], problem);
    if (!pages) {
        return Usage(problem);
    }
    const std::string& angle = arguments[2];
    if (angle != "90" && angle != "180" && angle != "270") {
        return Usage("the angle must be 90, 180 or 270: " + angle);
    }
    return Finish(TiffDocument::RotatePages(arguments[0], *pages, *ParseNumber(angle)));
}

int PagesCommand::Extract(const std::vector<std::string>& arguments) {
    if (arguments.size() != 3) {
        return Usage("extract takes SOURCE RANGES OUT");
    }
    std::string problem;
    const auto pages = ParseRanges(arguments[1], problem);
    if (!pages) {
        return Usage(problem);
    }
    return Finish(TiffDocument::ExtractPages(arguments[0], *pages, arguments[2]));
}

int PagesCommand::Split(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2) {
        return Usage("split takes SOURCE FOLDER");
    }
    return Finish(TiffDocument::SplitPages(arguments[0], arguments[1]));
}

// After a FILE, an argument that reads as a page list is its RANGES; any other argument is
// the next FILE (a file named like a page list is given as ./3).
int PagesCommand::Cat(const std::vector<std::string>& arguments) {
    if (arguments.size() < 2) {
        return Usage("cat takes OUT FILE [RANGES] [FILE [RANGES]]...");
    }
    std::vector<TiffCatPart> parts;
    bool afterFile = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string problem;
        const auto pages = afterFile ? ParseRanges(arguments[i], problem) : std::nullopt;
        if (pages) {
            parts.back().pages = *pages;
            afterFile = false;
        } else {
            parts.push_back(TiffCatPart{arguments[i]});
            afterFile = true;
        }
    }
    return Finish(TiffDocument::CatPages(arguments[0], parts));
}
