#pragma once

#include "skin/SkinDialog.h"
#include "tests/support/TempDir.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

namespace tipin::test {

// The packages the build puts into its run folder, the start-up package first.
std::vector<std::string> BundledPackageNames();
std::filesystem::path BundledPackage(const std::string& name);
// Extracts every entry of `package` into `folder` with the project's zip reader; throws on
// any failure.
void ExtractAll(const std::filesystem::path& package, const std::filesystem::path& folder);

// A skin written by a test: a description and plain bitmaps in a fresh folder.
class TestSkin {
public:
    void Ini(const std::string& text) const { m_dir.write("Skin.ini", text); }
    // A bitmap of one colour; returns it as drawn.
    QImage Bitmap(const std::string& name, QSize size, QColor colour) const;
    void Bitmap(const std::string& name, const QImage& image) const;
    std::string Folder() const { return m_dir.path().string() + "/"; }
    QString IniPath() const;

private:
    TempDir m_dir;
};

// The skinned window with its registries open to tests and every report by name recorded.
class RecordingDialog : public CSkinDialog {
public:
    using CSkinDialog::buttons;
    using CSkinDialog::captionLabel;
    using CSkinDialog::checks;
    using CSkinDialog::comboBoxes;
    using CSkinDialog::edits;
    using CSkinDialog::iconRect;
    using CSkinDialog::labels;
    using CSkinDialog::listBoxes;
    using CSkinDialog::options;
    using CSkinDialog::screenRect;
    using CSkinDialog::sliders;
    using CSkinDialog::transparentColour;
    using CSkinDialog::windowRegion;

    // Sets the process-wide skin folder and the description, then loads.
    void Load(const std::string& folder);

    void ButtonPressed(const QString& name) override { calls.push_back("button " + name); }
    void OptionSelected(const QString& name) override { calls.push_back("option " + name); }
    void SliderChanged(const QString& name, int position) override {
        calls.push_back(QString("slider %1 %2").arg(name).arg(position));
    }

    std::vector<QString> calls;
};

} // namespace tipin::test
