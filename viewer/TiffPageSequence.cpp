#include "viewer/TiffPageSequence.h"

#include "viewer/TiffError.h"
#include "viewer/TiffPageRenderer.h"
#include "viewer/TiffValidator.h"

#include <new>
#include <tiffio.h>

TiffPageSequence::TiffPageSequence(const std::string& path) {
    try {
        std::vector<std::string> warnings;
        m_pages = TiffValidator::CountPages(path, warnings);
        m_tif = OpenTiffForReading(path, m_log);
        if (m_tif == nullptr) {
            m_failure = "Not a readable TIFF file: " + m_log.FirstError(path);
        }
    } catch (const TiffError& error) {
        m_failure = error.what();
    }
}

TiffPageSequence::~TiffPageSequence() {
    if (m_tif != nullptr) {
        TIFFClose(m_tif);
    }
}

RenderResult TiffPageSequence::Render(int page, int boxWidth, int boxHeight, bool enlarge) {
    RenderResult result;
    try {
        if (!m_failure.empty()) {
            throw TiffError(m_failure);
        }
        if (boxWidth < 1 || boxHeight < 1 || page < 1 || page > m_pages) {
            throw TiffError("Page " + std::to_string(page) + " cannot be shown");
        }
        m_log.ClearErrors();
        if (!TIFFSetDirectory(m_tif, static_cast<tdir_t>(page - 1))) {
            throw TiffError("Not a readable TIFF page: " + m_log.FirstError("no directory"));
        }
        result.image = TiffPageRenderer::RenderDirectory(m_tif, boxWidth, boxHeight, enlarge);
        result.status.ok = true;
    } catch (const TiffError& error) {
        result.status.message = error.what();
    } catch (const std::bad_alloc&) {
        result.status.message = "Not enough memory to show the page";
    }
    return result;
}
