#pragma once

#include "app/MainDialog.h"
#include "controls/Label.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace tipin::test {

// The main window on the start-up skin, with scripted prompts.
class MainDialogFixture : public ::testing::Test {
protected:
    static std::filesystem::path Bundled(const std::string& name) {
        return std::filesystem::path(TIPIN_RUN_DIR) / name;
    }
    void Start(CMainDialog& window) {
        std::filesystem::copy_file(Bundled("Purple.skn"), start.path() / "Purple.skn");
        window.SetStartDirectory(start.path().string());
        window.SetPackageFolders({});
        window.SetPrompts(prompts);
        window.OnInitDialog();
    }
    // Replaces the skin of `window` with one made of `description` alone.
    void LoadOwnSkin(CMainDialog& window, const std::string& description) {
        std::ofstream(own.path() / "Skin.ini") << description;
        CSkinDialog::skinFolder = own.path().string() + "/";
        window.SetSkinFile(QString::fromStdString((own.path() / "Skin.ini").string()));
        window.LoadSkin();
    }
    QString Label(const CMainDialog& window) const {
        return window.FindLabel("LABEL_PAGETOTAL")->Text();
    }

    TempDir start;
    TempDir own;
    std::shared_ptr<FakePrompts> prompts = std::make_shared<FakePrompts>();
};

} // namespace tipin::test
