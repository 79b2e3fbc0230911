#include "app/ImageViewer.h"

void CImageViewer::Attach(ImageViewerControl* control, QWidget* window) {
    m_control = control;
    m_window = window;
}

void CImageViewer::StartupSetting(std::int32_t value) {
    if (m_control != nullptr) {
        m_control->StartupSetting(value);
    }
}

void CImageViewer::ReloadFlag(bool reload) {
    if (m_control != nullptr) {
        m_control->ReloadFlag(reload);
    }
}

std::int16_t CImageViewer::LoadPage(const QString& path, std::int16_t page) {
    return m_control == nullptr ? 0 : m_control->LoadPage(path, page);
}

std::int16_t CImageViewer::GetPageCount() {
    return m_control == nullptr ? 0 : m_control->GetPageCount();
}

void CImageViewer::FileName(const QString& path) {
    if (m_control != nullptr) {
        m_control->FileName(path);
    }
}

void CImageViewer::DisplaySetting(std::int16_t value) {
    if (m_control != nullptr) {
        m_control->DisplaySetting(value);
    }
}

bool CImageViewer::AppendPages(const QString& target, std::int16_t position,
                               const QString& append) {
    return m_control != nullptr && m_control->AppendPages(target, position, append);
}

QString CImageViewer::LastError() const {
    return m_control == nullptr ? QString() : m_control->LastError();
}

void CImageViewer::Place(const QRect& rect) {
    if (m_window != nullptr) {
        m_window->setGeometry(rect);
        m_window->raise();
        m_window->show();
    }
}

bool CImageViewer::AppendCancelled() const {
    return m_control != nullptr && m_control->AppendCancelled();
}
