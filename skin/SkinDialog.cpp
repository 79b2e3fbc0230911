#include "skin/SkinDialog.h"

#include "controls/ControlAccessibility.h"
#include "controls/Label.h"
#include "controls/SkinButton.h"
#include "controls/SkinCheck.h"
#include "controls/SkinComboBox.h"
#include "controls/SkinEdit.h"
#include "controls/SkinListBox.h"
#include "controls/SkinOption.h"
#include "controls/SkinSlider.h"
#include "notifier/AccessibleNotifier.h"
#include "notifier/NotifierDialog.h"
#include "platform/ImageOutline.h"
#include "platform/QtConvert.h"
#include "platform/QtPrompts.h"
#include "platform/SkinImageCache.h"
#include "skin/FocusRing.h"
#include "skin/LabelNames.h"
#include "skin/PreparedSkin.h"
#include "skin/SkinControlBuilder.h"
#include "skin/SkinDescriptionReader.h"
#include "skin/Tokens.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <algorithm>

std::string CSkinDialog::skinFolder;

namespace {

constexpr int kMaxFormattedSeconds = 359999;

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
      m_startDirectory(QDir::currentPath().toStdString()), m_focusRing(new CFocusRing(this)) {
    CControlAccessibility::Install();
    CAccessibleNotifier::Install();
    setFixedSize(kWindowWidth, kWindowHeight);
    setMouseTracking(true);
    setWindowTitle(QApplication::applicationName());
    SetPackageFolders(PackageFoldersOf(QApplication::applicationDirPath().toStdString()));
}

CSkinDialog::~CSkinDialog() {
    FreeSkin();
}

void CSkinDialog::SetSkinFile(const QString& path) {
    skinFile = path;
}

std::string CSkinDialog::SkinFolder(const std::string& path) const {
    return ::SkinFolder(path);
}

void CSkinDialog::LoadSkin() {
    const CSkinImageCache decodeOnce;
    PrepareNotifier();
    FreeSkin();
    const SkinDescription skin = TakeDescription().ReadAll(transparentColour);
    backgroundBitmap = CSkinImage::FromFile(skin.background).Image();
    transparentColour = skin.transparentColour;
    BuildWindowRegion(windowRegion, backgroundBitmap, transparentColour);
    CreateControls(skin);
    ShowTimeDisplay();
    CLabelNames::Apply(edits, comboBoxes, listBoxes, labels);
    CopyBackground();
    update();
}

SkinDescriptionReader CSkinDialog::TakeDescription() {
    std::optional<SkinDescriptionReader> checked;
    checked.swap(m_checkedDescription);
    if (checked && checked->Path() == skinFile.toStdString()) {
        return *checked;
    }
    return SkinDescriptionReader(skinFile.toStdString());
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
    notifier->SetSkin(QString::fromStdString(skinFolder) +
                          QString::fromLatin1(SkinDescription::kNotifierBitmap),
                      255, 0, 255);
    m_notifierDue = true;
    if (isVisible()) {
        ShowNotifier();
    }
}

void CSkinDialog::ShowNotifier() {
    if (m_notifierDue && notifier != nullptr) {
        m_notifierDue = false;
        notifier->Show(300, 1000, 300, 1);
    }
}

void CSkinDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ShowNotifier();
}

void CSkinDialog::CreateControls(const SkinDescription& skin) {
    // Matching the list font reads the font configuration: only skins with lists pay for it.
    if (!m_listFont && (!skin.listBoxes.empty() || !skin.comboBoxes.empty())) {
        m_listFont = CSkinControlBuilder::ListFont();
    }
    const CSkinControlBuilder make(transparentColour, m_listFont.value_or(QFont()));
    CreateTaskbarButtons(skin, make);
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

void CSkinDialog::CreateTaskbarButtons(const SkinDescription& skin,
                                       const CSkinControlBuilder& make) {
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

QString CSkinDialog::FormatTime(int seconds) {
    seconds = std::min(seconds, kMaxFormattedSeconds);
    const int hours = seconds / 3600;
    const int minutes = (seconds - hours * 3600) / 60;
    const int secs = seconds % 60;
    return QString::asprintf("%02d:%02d:%02d", hours, minutes, secs);
}
