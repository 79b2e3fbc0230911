#include "platform/ProfileReader.h"

#include "platform/Ascii.h"
#include "platform/ProfileLine.h"

#include <algorithm>
#include <string_view>
#include <sys/stat.h>

namespace {

using ProfileLine::kMaxKeptLine;
using ProfileLine::SectionName;
using ProfileLine::Trim;

constexpr std::size_t kChunk = 8 * 1024;

std::FILE* OpenRegularFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return nullptr;
    }
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

} // namespace

ProfileReader::ProfileReader(const std::string& path, const std::string& section)
    : m_file(OpenRegularFile(path)), m_section(section) {
    m_done = m_file == nullptr;
}

ProfileReader::~ProfileReader() {
    if (m_file != nullptr) {
        std::fclose(m_file);
    }
}

bool ProfileReader::FillBuffer() {
    if (m_file == nullptr) {
        return false;
    }
    m_buffer.erase(0, m_pos);
    m_pos = 0;
    const std::size_t old = m_buffer.size();
    m_buffer.resize(old + kChunk);
    const std::size_t got = std::fread(m_buffer.data() + old, 1, kChunk, m_file);
    m_buffer.resize(old + got);
    if (got == 0) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    return got > 0;
}

bool ProfileReader::NextLine(std::string& line) {
    line.clear();
    bool any = false;
    for (;;) {
        if (m_pos >= m_buffer.size() && !FillBuffer()) {
            break;
        }
        any = true;
        const auto lineEnd = std::find_if(m_buffer.begin() + std::ptrdiff_t(m_pos), m_buffer.end(),
                                          [](char c) { return c == '\n' || c == '\r'; });
        const std::size_t stop = std::size_t(lineEnd - m_buffer.begin());
        const std::size_t end = stop == m_buffer.size() ? std::string::npos : stop;
        const std::size_t room = kMaxKeptLine - std::min(line.size(), kMaxKeptLine);
        line.append(m_buffer, m_pos, std::min(stop - m_pos, room));
        m_pos = stop;
        if (end != std::string::npos) {
            SkipLineEnd();
            break;
        }
    }
    if (any && m_firstLine) {
        m_firstLine = false;
        if (line.starts_with("\xEF\xBB\xBF")) {
            line.erase(0, 3);
        }
    }
    return any;
}

void ProfileReader::SkipLineEnd() {
    const bool carriageReturn = m_buffer[m_pos++] == '\r';
    if (carriageReturn && m_pos >= m_buffer.size()) {
        FillBuffer();
    }
    if (carriageReturn && m_pos < m_buffer.size() && m_buffer[m_pos] == '\n') {
        ++m_pos;
    }
}

bool ProfileReader::FindSection() {
    std::string line;
    while (NextLine(line)) {
        const std::string_view text = Trim(line);
        if (text.starts_with('[') && EqualsIgnoreCase(SectionName(text), m_section)) {
            m_inSection = true;
            return true;
        }
    }
    return false;
}

bool ProfileReader::NextKey(std::string& key, std::string& value) {
    if (m_done || (!m_inSection && !FindSection())) {
        m_done = true;
        return false;
    }
    std::string line;
    while (NextLine(line)) {
        const std::string_view text = Trim(line);
        if (text.empty() || text.starts_with(';')) {
            continue;
        }
        if (text.starts_with('[')) {
            break;
        }
        const std::size_t equals = text.find('=');
        key = Trim(text.substr(0, equals));
        value = equals == std::string_view::npos ? std::string() : Trim(text.substr(equals + 1));
        return true;
    }
    m_done = true;
    return false;
}
