#pragma once

#include "viewer/ImageViewerControl.h"

#include <QString>
#include <QStringList>
#include <vector>

// One call on the viewer control: the operation's name and its arguments as text, so that
// tests can compare whole call sequences at once.
struct ViewerCall {
    QString operation;
    QStringList arguments;

    // For example LoadPage(/tmp/a.tif, 1).
    QString Describe() const { return operation + "(" + arguments.join(", ") + ")"; }
    friend bool operator==(const ViewerCall&, const ViewerCall&) = default;
};

// Records every call with its arguments, in order, and answers with scripted results.
class FakeImageViewerControl : public ImageViewerControl {
public:
    void StartupSetting(std::int32_t value) override;
    void ReloadFlag(bool reload) override;
    std::int16_t LoadPage(const QString& path, std::int16_t page) override;
    std::int16_t GetPageCount() override;
    void FileName(const QString& path) override;
    void DisplaySetting(std::int16_t value) override;
    bool AppendPages(const QString& target, std::int16_t position, const QString& append) override;
    bool AppendCancelled() const override { return appendCancelled; }

    const std::vector<ViewerCall>& Calls() const { return m_calls; }
    // Every call described, one per element.
    QStringList Described() const;
    void ClearCalls() { m_calls.clear(); }

    std::int16_t loadPageResult = 1;
    std::int16_t pageCount = 0;
    bool appendResult = true;
    bool appendCancelled = false;

private:
    void Record(const QString& operation, QStringList arguments);

    std::vector<ViewerCall> m_calls;
};
