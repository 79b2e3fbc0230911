#include "skin/SkinDialog.h"

#include "controls/Label.h"
#include "controls/SkinButton.h"
#include "controls/SkinCheck.h"
#include "controls/SkinComboBox.h"
#include "controls/SkinEdit.h"
#include "controls/SkinListBox.h"
#include "controls/SkinOption.h"
#include "controls/SkinScrollBar.h"
#include "controls/SkinSlider.h"
#include "notifier/NotifierDialog.h"
#include "platform/ImageOutline.h"
#include "platform/PrivateFolder.h"
#include "platform/QtConvert.h"
#include "platform/QtPrompts.h"
#include "platform/SkinImageCache.h"
#include "skin/PackageExtractor.h"
#include "skin/SkinControlBuilder.h"
#include "skin/SkinDescriptionReader.h"
#include "skin/SkinUsability.h"
#include "skin/Tokens.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>
#include <filesystem>
#include <system_error>

std::string CSkinDialog::skinFolder;

namespace {

constexpr int kMaxFormattedSeconds = 359999;

// The control whose own index is `index`: positions and indexes differ after an empty record.
template <typename Control> Control* WithIndex(const std::vector<Control*>& registry, int index) {
    const auto found = std::find_if(registry.begin(), registry.end(),
                                    [index](const Control* c) { return c->index == index; });
    return found == registry.end() ? nullptr : *found;
}

// The first control named `name`, in creation order.
template <typename Control>
Control* Named(const std::vector<Control*>& registry, const QString& name) {
    const auto found = std::find_if(registry.begin(), registry.end(),
                                    [&name](const Control* c) { return c->name == name; });
    return found == registry.end() ? nullptr : *found;
}

template <typename Control> void DestroyAll(std::vector<Control*>& registry) {
    for (Control* control : registry) {
        delete control;
    }
    registry.clear();
}

} // namespace

CSkinDialog::CSkinDialog(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint),
      m_prompts(std::make_shared<QtPrompts>(this)),
      m_startDirectory(QDir::currentPath().toStdString()) {
    setFixedSize(kWindowWidth, kWindowHeight);
    setMouseTracking(true);
    setWindowTitle(QApplication::applicationName());
    // The skins installed beside the program wherever the tree was installed, then where the
    // build was configured to install them, then the build's run folder.
    const std::string programFolder = QApplication::applicationDirPath().toStdString();
    SetPackageFolders(
        {programFolder + "/" TIPIN_SKINS_FROM_BIN, TIPIN_INSTALLED_SKINS, programFolder});
}

CSkinDialog::~CSkinDialog() {
    FreeSkin();
}

void CSkinDialog::SetSkinFile(const QString& path) {
    skinFile = path;
}

void CSkinDialog::ButtonPressed(const QString&) {}

void CSkinDialog::OptionSelected(const QString&) {}

void CSkinDialog::OnButtonClicked(int index) {
    if (CSkinButton* button = WithIndex(buttons, index)) {
        ButtonPressed(button->name);
    }
}

// All options form one group, except those named "OPTION_AUDIOSTREAM1".
void CSkinDialog::OnOptionClicked(int index) {
    CSkinOption* clicked = WithIndex(options, index);
    if (clicked == nullptr) {
        return;
    }
    for (CSkinOption* option : options) {
        if (option != clicked && option->name != QLatin1String("OPTION_AUDIOSTREAM1")) {
            option->SetLatched(0);
            option->update();
        }
    }
    OptionSelected(clicked->name);
}

void CSkinDialog::OnCheckClicked(int) {}

void CSkinDialog::SliderChanged(const QString&, int) {}

void CSkinDialog::OnSliderMoved(int index, int position) {
    if (CSkinSlider* slider = WithIndex(sliders, index)) {
        SliderChanged(slider->name, position);
    }
}

void CSkinDialog::MouseMoved(const QString&, int, int) {}

std::string CSkinDialog::SkinFolder(const std::string& path) const {
    return ::SkinFolder(path);
}

void CSkinDialog::LoadSkin() {
    const CSkinImageCache decodeOnce;
    PrepareNotifier();
    FreeSkin();
    const SkinDescriptionReader reader(skinFile.toStdString());
    const SkinDescription skin = reader.ReadAll(transparentColour);
    backgroundBitmap = CSkinImage::FromFile(skin.background).Image();
    transparentColour = skin.transparentColour;
    BuildWindowRegion(windowRegion, backgroundBitmap, transparentColour);
    CreateControls(skin);
    ShowTimeDisplay();
    CopyBackground();
    update();
}

void CSkinDialog::PrepareNotifier() {
    if (notifier == nullptr) {
        notifier = new CNotifierDialog(this);
    }
    notifier->Hide();
    for (const QPointer<CSkinButton>& button : m_taskbarButtons) {
        delete button.data();
    }
    m_taskbarButtons.clear();
    notifier->SetSkin(QString::fromStdString(skinFolder) + QStringLiteral("dlgTaskNotifier.bmp"),
                      255, 0, 255);
    notifier->Show(300, 1000, 300, 1);
}

void CSkinDialog::CreateControls(const SkinDescription& skin) {
    const CSkinControlBuilder make(transparentColour);
    CreateTaskbarButtons(skin);
    if (skin.icon) {
        iconBitmap = CSkinImage::FromFile(skin.icon->bitmap);
        iconRect = skin.icon->rect;
    }
    iconBitmap.SetColourKey(transparentColour);
    for (const ButtonRecord& record : skin.buttons) {
        buttons.push_back(make.Button(this, record));
    }
    ShowPlayNotPause();
    for (const SliderRecord& record : skin.sliders) {
        sliders.push_back(make.Slider(this, record));
    }
    for (const LatchRecord& record : skin.options) {
        options.push_back(make.Option(this, record));
    }
    for (const LatchRecord& record : skin.checks) {
        checks.push_back(make.Check(this, record));
    }
    if (skin.caption) {
        captionLabel = make.Caption(this, *skin.caption);
    }
    for (const LabelRecord& record : skin.labels) {
        labels.push_back(make.Label(this, record));
    }
    for (const EditRecord& record : skin.edits) {
        edits.push_back(make.Edit(this, record));
    }
    for (const ListBoxRecord& record : skin.listBoxes) {
        listBoxes.push_back(make.ListBox(this, record));
    }
    for (const ComboBoxRecord& record : skin.comboBoxes) {
        comboBoxes.push_back(make.ComboBox(this, record));
    }
    if (skin.screenRect) {
        screenRect = *skin.screenRect;
    }
}

void CSkinDialog::CreateTaskbarButtons(const SkinDescription& skin) {
    const CSkinControlBuilder make(transparentColour);
    for (const ButtonRecord& record : skin.taskbarButtons) {
        m_taskbarButtons.emplace_back(make.Button(notifier, record));
    }
}

void CSkinDialog::ShowPlayNotPause() {
    if (CSkinButton* pause = FindButton(QStringLiteral("BUTTON_PAUSE"))) {
        pause->hide();
    }
    if (CSkinButton* play = FindButton(QStringLiteral("BUTTON_PLAY"))) {
        play->show();
    }
}

// Both parts are needed; a skin without either has no time display.
void CSkinDialog::ShowTimeDisplay() {
    if (UpdateTimeLabel()) {
        FindLabel(QStringLiteral("LABEL_TIME"))->hide();
        FindSlider(QStringLiteral("SLIDER_PROGRESS"))->hide();
    }
}

bool CSkinDialog::UpdateTimeLabel() {
    const CSkinSlider* progress = FindSlider(QStringLiteral("SLIDER_PROGRESS"));
    CLabel* time = FindLabel(QStringLiteral("LABEL_TIME"));
    if (progress == nullptr || time == nullptr) {
        return false;
    }
    time->SetText(FormatTime(progress->GetPos()) + QLatin1Char('/') +
                  FormatTime(progress->GetRangeMax()));
    time->update();
    return true;
}

void CSkinDialog::FreeSkin() {
    backgroundBitmap = QImage();
    windowRegion = QRegion();
    backgroundCopy = QImage();
    DestroyAll(buttons);
    DestroyAll(edits);
    DestroyAll(listBoxes);
    DestroyAll(options);
    DestroyAll(labels);
    delete captionLabel;
    captionLabel = nullptr;
    DestroyAll(sliders);
    DestroyAll(checks);
    for (CSkinComboBox* combo : comboBoxes) {
        delete combo->ButtonPart();
        delete combo->EditPart();
        delete combo->ListPart();
    }
    DestroyAll(comboBoxes);
}

bool CSkinDialog::BuildWindowRegion(QRegion& region, const QImage& bitmap, COLORREF colour) {
    if (bitmap.isNull()) {
        region = QRegion();
        clearMask();
        return false;
    }
    bool cut = false;
    region = CImageOutline::Of(bitmap, colour, -1, &cut);
    setMask(region);
    return cut;
}

// Both stay unchanged while the skin lives, so they may share their pixels.
void CSkinDialog::CopyBackground() {
    backgroundCopy = backgroundBitmap;
}

void CSkinDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), backgroundBitmap, rect());
    if (!iconBitmap.IsNull()) {
        painter.setClipRect(ToQRect(iconRect));
        iconBitmap.DrawKeyed(painter, ToQRect(iconRect).topLeft());
    }
}

void CSkinDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    // Where the platform refuses a system move (no window manager), the window moves itself.
    const bool systemMove = windowHandle() != nullptr && windowHandle()->startSystemMove();
    m_dragging = !systemMove;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    event->accept();
}

void CSkinDialog::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (!comboBoxes.empty()) {
        CSkinComboBox* combo = comboBoxes.front();
        const bool open = combo->ListPart() != nullptr && combo->ListPart()->isVisible();
        if (open && !ToQRect(combo->WholeRect()).contains(point)) {
            combo->ToggleList();
        }
    }
    if (!listBoxes.empty()) {
        ForwardMouseMove(listBoxes.front()->ScrollBar(), *event);
    }
    if (!comboBoxes.empty() && comboBoxes.front()->ListPart() != nullptr) {
        ForwardMouseMove(comboBoxes.front()->ListPart()->ScrollBar(), *event);
    }
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - m_dragOffset);
    }
    QDialog::mouseMoveEvent(event);
    MouseMoved(QString(), point.x(), point.y());
}

// A scroll bar being dragged keeps following the pointer when it leaves the bar.
void CSkinDialog::ForwardMouseMove(QWidget* target, const QMouseEvent& event) {
    if (target == nullptr) {
        return;
    }
    const QPointF local = target->mapFrom(this, event.position());
    QMouseEvent forwarded(QEvent::MouseMove, local, event.globalPosition(), event.button(),
                          event.buttons(), event.modifiers());
    QApplication::sendEvent(target, &forwarded);
}

void CSkinDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragging = false;
    }
    QDialog::mouseReleaseEvent(event);
}

// Neither key closes a skinned window.
void CSkinDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        contextMenuEvent(&menu);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

CSkinButton* CSkinDialog::FindButton(const QString& name) const {
    return Named(buttons, name);
}

CSkinSlider* CSkinDialog::FindSlider(const QString& name) const {
    return Named(sliders, name);
}

CLabel* CSkinDialog::FindLabel(const QString& name) const {
    return Named(labels, name);
}

void CSkinDialog::EnableButton(const QString& name, bool enable) {
    if (CSkinButton* button = FindButton(name)) {
        button->setEnabled(enable);
    }
}

int CSkinDialog::IsButtonLatched(const QString& name) const {
    const CSkinButton* button = FindButton(name);
    return button == nullptr ? 0 : button->Latched();
}

void CSkinDialog::SetButtonLatched(const QString& name, int state) {
    if (CSkinButton* button = FindButton(name)) {
        button->SetLatched(state);
    }
}

void CSkinDialog::SetButtonTooltip(const QString& name, const QString& text) {
    if (CSkinButton* button = FindButton(name)) {
        button->SetTooltipText(text, true);
    }
}

void CSkinDialog::SetSliderPos(const QString& name, int position) {
    if (CSkinSlider* slider = FindSlider(name)) {
        slider->SetPos(position);
        slider->update();
    }
}

int CSkinDialog::GetSliderPos(const QString& name) const {
    const CSkinSlider* slider = FindSlider(name);
    return slider == nullptr ? 0 : slider->GetPos();
}

QString CSkinDialog::FormatTime(int seconds) {
    seconds = std::min(seconds, kMaxFormattedSeconds);
    const int hours = seconds / 3600;
    const int minutes = (seconds - hours * 3600) / 60;
    const int secs = seconds % 60;
    return QString::asprintf("%02d:%02d:%02d", hours, minutes, secs);
}

void CSkinDialog::SetPrompts(std::shared_ptr<Prompts> prompts) {
    m_prompts = std::move(prompts);
}

void CSkinDialog::SetPackageFolders(std::vector<std::string> folders) {
    m_packageFolders = std::move(folders);
}

std::string CSkinDialog::FindPackage(const std::string& name) const {
    std::vector<std::string> folders{m_startDirectory};
    folders.insert(folders.end(), m_packageFolders.begin(), m_packageFolders.end());
    for (const std::string& folder : folders) {
        const std::string path = folder + "/" + name;
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) {
            return path;
        }
    }
    return m_startDirectory + "/" + name;
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
        if (const std::optional<QString> unusable = CSkinUsability::Problem(ini)) {
            problem = extracted ? *unusable : QStringLiteral("its package could not be read");
            return false;
        }
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

void CSkinDialog::LoadStartupSkin() {
    QString problem;
    if (!InstallPackage(FindPackage(kStartupPackage), problem)) {
        InstallBuiltInSkin();
    }
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
