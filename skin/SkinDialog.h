#pragma once

#include "controls/SkinHost.h"
#include "notifier/NotifierDialog.h"
#include "platform/SkinImage.h"
#include "platform/WinTypes.h"
#include "skin/SkinDescriptionReader.h"
#include "skin/SkinRecords.h"
#include "zip/ZipReader.h"

#include <QDialog>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QRegion>
#include <QString>
#include <array>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CFocusRing;
class CLabel;
class CPreparedSkin;
class CSkinButton;
class CSkinCheck;
class CSkinComboBox;
class CSkinControlBuilder;
class CSkinEdit;
class CSkinListBox;
class CSkinOption;
class CSkinSlider;
class Prompts;
class QMenu;
struct SkinDescription;

// The skinned window: builds itself from a skin description (background, outline, one
// control per record), turns the controls' reports by index into calls by name, and finds
// its controls by name for derived windows. It owns every control and the notifier popup.
class CSkinDialog : public QDialog, public CSkinHost {
    Q_OBJECT
public:
    // The bundled skins are drawn for a window of this size.
    static constexpr int kWindowWidth = kSkinWindowWidth;
    static constexpr int kWindowHeight = kSkinWindowHeight;

    // The change-skin commands: id, menu item and package.
    struct SkinChoice {
        int id;
        const char* item;
        const char* package;
    };
    static constexpr int kFirstSkinCommand = 0x8003;
    static constexpr std::array<SkinChoice, 8> kSkinChoices{{
        {0x8003, "&Orange", "Orange.zip"},
        {0x8004, "&Black", "Black.zip"},
        {0x8005, "&Purple", "Purple.zip"},
        {0x8006, "Bl&ue", "Blue.zip"},
        {0x8007, "&Red", "Red.zip"},
        {0x8008, "&Gray", "Gray.zip"},
        {0x8009, "P&ink", "Pink.zip"},
        {0x800A, "&Deluxe", "Deluxe.zip"},
    }};
    static constexpr const char* kStartupPackage = "Purple.skn";
    // Compiled into the program: the skin of last resort.
    static constexpr const char* kBuiltInPackage = ":/skins/Purple.skn";

    explicit CSkinDialog(QWidget* parent = nullptr);
    ~CSkinDialog() override;

    // The folder of the current skin description, with a trailing separator.
    static std::string skinFolder;

    void SetSkinFile(const QString& path);
    const QString& SkinFile() const { return skinFile; }

    // Reports by name; the base does nothing.
    virtual void ButtonPressed(const QString& name);
    virtual void OptionSelected(const QString& name);
    // Reports of the controls, by index.
    void OnButtonClicked(int index) override;
    void OnOptionClicked(int index) override;
    void OnCheckClicked(int index) override;
    virtual void SliderChanged(const QString& name, int position);
    void OnSliderMoved(int index, int position) override;
    virtual void MouseMoved(const QString& name, int x, int y);
    virtual std::string SkinFolder(const std::string& path) const;
    virtual void FreeSkin();
    virtual void LoadSkin();

    // Shapes the window to the bitmap's pixels of any colour but `colour`; true when at least
    // one pixel was cut out. A null bitmap leaves the window unshaped.
    bool BuildWindowRegion(QRegion& region, const QImage& bitmap, COLORREF colour);
    void CopyBackground();
    const QImage& BackgroundDC() const override { return backgroundCopy; }

    CSkinButton* FindButton(const QString& name) const;
    CSkinSlider* FindSlider(const QString& name) const;
    CLabel* FindLabel(const QString& name) const;
    void EnableButton(const QString& name, bool enable);
    int IsButtonLatched(const QString& name) const;
    void SetButtonLatched(const QString& name, int state);
    void SetButtonTooltip(const QString& name, const QString& text);
    void SetSliderPos(const QString& name, int position);
    int GetSliderPos(const QString& name) const;
    static QString FormatTime(int seconds);

    CNotifierDialog* Notifier() const { return notifier; }

    // Every message goes through `prompts`; the default shows Qt message boxes.
    void SetPrompts(std::shared_ptr<Prompts> prompts);
    Prompts& GetPrompts() const { return *m_prompts; }
    // The folder that was current when the program started; packages are looked up there
    // first, then in the package folders (the installed skins, the program's own folder).
    void SetStartDirectory(const std::string& folder) { m_startDirectory = folder; }
    const std::string& StartDirectory() const { return m_startDirectory; }
    void SetPackageFolders(std::vector<std::string> folders);
    // Where `name` is found: the first package folder that holds it, else the start directory.
    std::string FindPackage(const std::string& name) const;
    // The package folders of a program in `programFolder`.
    static std::vector<std::string> PackageFoldersOf(const std::string& programFolder);
    // Where the start-up package is found, for a program in `programFolder` started in
    // `startDirectory`; the same as FindPackage(kStartupPackage) once the window exists.
    static std::string StartupPackage(const std::string& startDirectory,
                                      const std::string& programFolder);

    // Extracts every entry of `package` into `folder`, telling the user of failures; true
    // when every entry was extracted.
    bool ExtractPackage(const std::string& package, const std::string& folder);
    // Removes `folder` with everything below it, never following a link out of it.
    bool DeleteFolder(const std::string& folder);
    // Loads the start-up package, or the built-in skin when that cannot be used.
    void LoadStartupSkin();
    // The start-up package as it is being prepared; used when it is the one found then.
    void SetPreparedStartupSkin(std::future<std::unique_ptr<CPreparedSkin>> prepared);
    // Swaps the skin for that of a change-skin command; a skin that cannot be used leaves
    // the current one in place and says why.
    void OnChangeSkin(int id);
    // The check mark rule of the change-skin commands.
    bool IsSkinChecked(int id) const {
        return currentSkin != kNoSkinChosen && id == currentSkin + kFirstSkinCommand;
    }
    int CurrentSkin() const { return currentSkin; }
    // The change-skin menu, its check marks up to date; owned by this window.
    QMenu* ChangeSkinMenu();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Tab and Shift+Tab go round the controls in reading order.
    bool focusNextPrevChild(bool next) override;
    // "LABEL_TIME" shows the position and range of "SLIDER_PROGRESS"; false without both.
    bool UpdateTimeLabel();

    std::vector<CSkinButton*> buttons;
    std::vector<CSkinSlider*> sliders;
    std::vector<CSkinEdit*> edits;
    std::vector<CSkinListBox*> listBoxes;
    std::vector<CLabel*> labels;
    std::vector<CSkinOption*> options;
    std::vector<CSkinCheck*> checks;
    std::vector<CSkinComboBox*> comboBoxes;
    CSkinImage iconBitmap;
    Rect iconRect;
    CLabel* captionLabel = nullptr;
    COLORREF transparentColour = kNoColour;
    QRegion windowRegion;
    // The start-up skin is none of the menu's packages: no item claims it until one is chosen.
    static constexpr int kNoSkinChosen = -1;
    int currentSkin = kNoSkinChosen;
    QImage backgroundCopy;
    QPointer<CNotifierDialog> notifier;
    Rect screenRect;
    QString skinFile;
    QImage backgroundBitmap;
    CZipReader archive;

private:
    bool InstallPackage(const std::string& package, QString& problem);
    bool InstallPrepared(const std::string& package);
    void InstallBuiltInSkin();
    void AddComboRows();
    void ShowAt(const QPoint& place);
    void UpdateSkinChecks();
    void PrepareNotifier();
    void ShowNotifier();
    void CreateControls(const SkinDescription& skin);
    void CreateTaskbarButtons(const SkinDescription& skin, const CSkinControlBuilder& make);
    void ShowPlayNotPause();
    void ShowTimeDisplay();
    void ForwardMouseMove(QWidget* target, const QMouseEvent& event);
    SkinDescriptionReader TakeDescription();

    std::vector<QPointer<CSkinButton>> m_taskbarButtons;
    std::shared_ptr<Prompts> m_prompts;
    std::string m_packageLimitProblem;
    // The description just checked for the skin about to load: the load reads it again from
    // memory, not from the disk.
    std::optional<SkinDescriptionReader> m_checkedDescription;
    // The same for every skin; made at the first load.
    std::optional<QFont> m_listFont;
    std::string m_startDirectory;
    std::vector<std::string> m_packageFolders;
    std::future<std::unique_ptr<CPreparedSkin>> m_preparedStartup;
    // The prepared package's folder goes away off the window's thread.
    std::future<void> m_folderRemoval;
    QPointer<QMenu> m_skinMenu;
    bool m_dragging = false;
    // The popup slides in once the window is on the screen, not before.
    bool m_notifierDue = false;
    QPoint m_dragOffset;
    CFocusRing* m_focusRing;
};
