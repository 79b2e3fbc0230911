#include "tests/viewer/FakeImageViewerControl.h"

void FakeImageViewerControl::Record(const QString& operation, QStringList arguments) {
    m_calls.push_back(ViewerCall{operation, std::move(arguments)});
}

void FakeImageViewerControl::StartupSetting(std::int32_t value) {
    Record("StartupSetting", {QString::number(value)});
}

void FakeImageViewerControl::ReloadFlag(bool reload) {
    Record("ReloadFlag", {reload ? "TRUE" : "FALSE"});
}

std::int16_t FakeImageViewerControl::LoadPage(const QString& path, std::int16_t page) {
    Record("LoadPage", {path, QString::number(page)});
    return loadPageResult;
}

std::int16_t FakeImageViewerControl::GetPageCount() {
    Record("GetPageCount", {});
    return pageCount;
}

void FakeImageViewerControl::FileName(const QString& path) {
    Record("FileName", {path});
}

void FakeImageViewerControl::DisplaySetting(std::int16_t value) {
    Record("DisplaySetting", {QString::number(value)});
}

bool FakeImageViewerControl::AppendPages(const QString& target, std::int16_t position,
                                         const QString& append) {
    Record("AppendPages", {target, QString::number(position), append});
    return appendResult;
}

QStringList FakeImageViewerControl::Described() const {
    QStringList described;
    for (const ViewerCall& call : m_calls) {
        described << call.Describe();
    }
    return described;
}
