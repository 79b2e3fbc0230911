#include "controls/SkinComboBox.h"
#include "notifier/NotifierDialog.h"
#include "platform/PrivateFolder.h"
#include "platform/Prompts.h"
#include "platform/SkinImageCache.h"
#include "skin/PackageExtractor.h"
#include "skin/PreparedSkin.h"
#include "skin/SkinDescriptionReader.h"
#include "skin/SkinDialog.h"
#include "skin/SkinUsability.h"
#include "skin/Tokens.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <algorithm>
#include <filesystem>
#include <system_error>

void CSkinDialog::SetPrompts(std::shared_ptr<Prompts> prompts) {
    m_prompts = std::move(prompts);
}

void CSkinDialog::SetPackageFolders(std::vector<std::string> folders) {
    m_packageFolders = std::move(folders);
}

namespace {

std::string FindIn(const std::vector<std::string>& folders, const std::string& name) {
    for (const std::string& folder : folders) {
        const std::string path = folder + "/" + name;
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) {
            return path;
        }
    }
    return folders.front() + "/" + name;
}

} // namespace

// The skins installed beside the program wherever the tree was installed, then where the build
// was configured to install them, then the build's run folder.
std::vector<std::string> CSkinDialog::PackageFoldersOf(const std::string& programFolder) {
    return {programFolder + "/" TIPIN_SKINS_FROM_BIN, TIPIN_INSTALLED_SKINS, programFolder};
}

std::string CSkinDialog::StartupPackage(const std::string& startDirectory,
                                        const std::string& programFolder) {
    std::vector<std::string> folders = PackageFoldersOf(programFolder);
    folders.insert(folders.begin(), startDirectory);
    return FindIn(folders, kStartupPackage);
}

std::string CSkinDialog::FindPackage(const std::string& name) const {
    std::vector<std::string> folders{m_startDirectory};
    folders.insert(folders.end(), m_packageFolders.begin(), m_packageFolders.end());
    return FindIn(folders, name);
}

bool CSkinDialog::ExtractPackage(const std::string& package, const std::string& folder) {
    CPackageExtractor extractor(archive, *m_prompts);
    const bool extracted = extractor.Extract(package, folder);
    m_packageLimitProblem = extractor.LimitProblem();
    return extracted;
}

bool CSkinDialog::DeleteFolder(const std::string& folder) {
    return CPrivateFolder::RemoveTree(folder);
}

// Extracts into a private folder, checks the skin before giving up the current one, loads
// it, and removes the folder whatever happened.
bool CSkinDialog::InstallPackage(const std::string& package, QString& problem) {
    const CSkinImageCache decodeOnce;
    try {
        const CPrivateFolder folder("tipin-skin-");
        const bool extracted = ExtractPackage(package, folder.Path());
        if (!m_packageLimitProblem.empty()) {
            problem = QString::fromStdString(m_packageLimitProblem);
            return false;
        }
        const std::string ini = folder.Path() + "Skin.ini";
        const SkinDescriptionReader description(ini);
        if (const std::optional<QString> unusable = CSkinUsability::Problem(description)) {
            problem = extracted ? *unusable : QStringLiteral("its package could not be read");
            return false;
        }
        m_checkedDescription = description;
        SetSkinFile(QString::fromStdString(ini));
        skinFolder = SkinFolder(ini);
        LoadSkin();
        DeleteFolder(folder.Path());
        return true;
    } catch (const std::system_error& e) {
        problem = QStringLiteral("no working folder could be made (%1)").arg(e.what());
        return false;
    }
}

void CSkinDialog::InstallBuiltInSkin() {
    try {
        const CPrivateFolder copy("tipin-builtin-");
        const QString package = QString::fromStdString(copy.Path()) + "builtin.skn";
        QString problem;
        if (QFile::copy(kBuiltInPackage, package)) {
            InstallPackage(package.toStdString(), problem);
        }
    } catch (const std::system_error&) {
    }
}

void CSkinDialog::SetPreparedStartupSkin(std::future<std::unique_ptr<CPreparedSkin>> prepared) {
    m_preparedStartup = std::move(prepared);
}

void CSkinDialog::LoadStartupSkin() {
    const std::string package = FindPackage(kStartupPackage);
    if (InstallPrepared(package)) {
        return;
    }
    QString problem;
    if (!InstallPackage(package, problem)) {
        InstallBuiltInSkin();
    }
}

// The prepared package when it is `package`, already checked and decoded; its folder is
// removed on another thread, as nothing is read from it once the skin is loaded.
bool CSkinDialog::InstallPrepared(const std::string& package) {
    if (!m_preparedStartup.valid()) {
        return false;
    }
    std::unique_ptr<CPreparedSkin> prepared = m_preparedStartup.get();
    if (prepared == nullptr || prepared->Package() != package) {
        return false;
    }
    {
        const CSkinImageCache decoded(prepared->TakeImages());
        m_checkedDescription = prepared->Description();
        SetSkinFile(QString::fromStdString(prepared->Description().Path()));
        skinFolder = SkinFolder(prepared->Description().Path());
        LoadSkin();
    }
    m_folderRemoval =
        std::async(std::launch::async, [done = std::move(prepared)]() mutable { done.reset(); });
    return true;
}

void CSkinDialog::OnChangeSkin(int id) {
    const auto choice = std::find_if(kSkinChoices.begin(), kSkinChoices.end(),
                                     [id](const SkinChoice& c) { return c.id == id; });
    if (choice == kSkinChoices.end()) {
        return;
    }
    const int previousSkin = currentSkin;
    currentSkin = id - kFirstSkinCommand;
    const QPoint place = pos();
    hide();
    if (notifier != nullptr) {
        notifier->Hide();
    }
    QString problem;
    if (!InstallPackage(FindPackage(choice->package), problem)) {
        currentSkin = previousSkin;
        ShowAt(place);
        m_prompts->MessageBox(QStringLiteral("The skin could not be loaded: %1.").arg(problem),
                              Prompts::kIconError);
        return;
    }
    AddComboRows();
    ShowAt(place);
}

void CSkinDialog::AddComboRows() {
    if (comboBoxes.empty()) {
        return;
    }
    for (int n = 1; n <= 3; ++n) {
        comboBoxes.front()->AddString(QString::asprintf("%s%d", "item", n));
    }
}

void CSkinDialog::ShowAt(const QPoint& place) {
    move(place);
    show();
}

QMenu* CSkinDialog::ChangeSkinMenu() {
    if (m_skinMenu == nullptr) {
        m_skinMenu = new QMenu(QStringLiteral("&Change Skin"), this);
        for (const SkinChoice& choice : kSkinChoices) {
            QAction* action = m_skinMenu->addAction(QString::fromLatin1(choice.item));
            action->setCheckable(true);
            action->setData(choice.id);
            connect(action, &QAction::triggered, this,
                    [this, id = choice.id] { OnChangeSkin(id); });
        }
        connect(m_skinMenu, &QMenu::aboutToShow, this, &CSkinDialog::UpdateSkinChecks);
    }
    UpdateSkinChecks();
    return m_skinMenu;
}

void CSkinDialog::UpdateSkinChecks() {
    for (QAction* action : m_skinMenu->actions()) {
        action->setChecked(IsSkinChecked(action->data().toInt()));
    }
}

// A right click on the background, the menu key or Shift+F10.
void CSkinDialog::contextMenuEvent(QContextMenuEvent* event) {
    const QPoint at = event->reason() == QContextMenuEvent::Mouse
                          ? event->globalPos()
                          : mapToGlobal(QPoint(width() / 2, height() / 2));
    ChangeSkinMenu()->popup(at);
    event->accept();
}
