#include "app/MainDialog.h"

#include "controls/Label.h"
#include "controls/SkinButton.h"
#include "controls/SkinEdit.h"
#include "controls/SkinListBox.h"
#include "platform/CRuntime.h"
#include "platform/Prompts.h"
#include "platform/QtConvert.h"
#include "viewer/TiffViewerWidget.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

// The icon at every size it ships in, from the resources of this library (outside any
// namespace, as resource initialisation requires), decoded on a worker thread.
static std::future<std::vector<QImage>> DecodeApplicationIcon() {
    Q_INIT_RESOURCE(icons);
    return std::async(std::launch::async, [] {
        std::vector<QImage> images;
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            images.push_back(QImage(QStringLiteral(":/icons/tipin-%1.png").arg(size))
                                 .convertToFormat(QImage::Format_ARGB32));
        }
        return images;
    });
}

// The pixmaps keep the images' straight alpha: the window system takes the icon in that
// format, so nothing is converted either here or when the window is made.
static QIcon IconOf(std::vector<QImage> images) {
    QIcon icon;
    for (QImage& image : images) {
        if (!image.isNull()) {
            icon.addPixmap(QPixmap::fromImage(std::move(image), Qt::NoFormatConversion));
        }
    }
    return icon;
}

CMainDialog::CMainDialog(QWidget* parent, ImageViewerControl* control, QWidget* viewerWindow)
    : CSkinDialog(parent), m_iconImages(DecodeApplicationIcon()) {
    if (control == nullptr) {
        auto* viewer = new TiffViewerWidget(this);
        control = viewer;
        viewerWindow = viewer;
    }
    m_viewer.Attach(control, viewerWindow);
    setAcceptDrops(true);
    if (TiffViewerWidget* pages = PageView()) {
        connect(pages, &TiffViewerWidget::PageLeafed, this, [this](int page) {
            if (CSkinEdit* box = EditBox(kPageBox)) {
                box->setText(QString::number(page));
            }
        });
        connect(pages, &TiffViewerWidget::DocumentChanged, this, &CMainDialog::ShowChangedTarget);
        pages->SetPrompts([this] { return &GetPrompts(); });
    }
}

TiffViewerWidget* CMainDialog::PageView() const {
    return qobject_cast<TiffViewerWidget*>(m_viewer.Window());
}

void CMainDialog::OnInitDialog() {
    LoadStartupSkin();
    m_viewer.Place(ToQRect(screenRect));
    if (CSkinEdit* position = EditBox(kPositionBox)) {
        position->setText(QStringLiteral("1"));
    }
    m_viewer.StartupSetting(kStartupSetting);
}

// The window system copies every size of the icon, hundreds of kilobytes that the window's
// first appearance need not wait for.
void CMainDialog::showEvent(QShowEvent* event) {
    CSkinDialog::showEvent(event);
    if (m_iconImages.valid()) {
        QTimer::singleShot(0, this, &CMainDialog::GiveIcon);
    }
}

void CMainDialog::GiveIcon() {
    if (m_iconImages.valid()) {
        m_hIcon = IconOf(m_iconImages.get());
        setWindowIcon(m_hIcon);
    }
}

// A new skin may reserve another rectangle for the viewer; what the user typed and the page
// count shown survive the change.
void CMainDialog::LoadSkin() {
    std::vector<std::pair<QString, bool>> boxes;
    for (const CSkinEdit* edit : edits) {
        boxes.emplace_back(edit->text(), edit->isEnabled());
    }
    const CLabel* total = FindLabel(QStringLiteral("LABEL_PAGETOTAL"));
    const std::optional<QString> count = total ? std::optional(total->Text()) : std::nullopt;
    CSkinDialog::LoadSkin();
    for (CSkinEdit* edit : edits) {
        edit->setAcceptDrops(false); // files dropped on a box are the window's to take
    }
    for (std::size_t i = 0; i < boxes.size() && i < edits.size(); ++i) {
        edits[i]->setText(boxes[i].first);
        edits[i]->setEnabled(edits[i]->isEnabled() || boxes[i].second);
    }
    if (CLabel* label = FindLabel(QStringLiteral("LABEL_PAGETOTAL")); label && count) {
        label->SetText(*count);
    }
    m_viewer.Place(ToQRect(screenRect));
    ColourStrip();
}

// The strip takes the skin's list colours; a skin without a list lends it the colours of its
// background under the viewer, the selection in that colour's opposite.
void CMainDialog::ColourStrip() {
    TiffViewerWidget* pages = PageView();
    if (pages == nullptr) {
        return;
    }
    PageStrip::Colours colours;
    if (!listBoxes.empty()) {
        const QPalette palette = listBoxes.front()->palette();
        colours.background = palette.color(QPalette::Base);
        colours.text = palette.color(QPalette::Text);
        colours.selectedBackground = palette.color(QPalette::Highlight);
        colours.selectedText = palette.color(QPalette::HighlightedText);
    } else if (const QRect place = ToQRect(screenRect);
               !BackgroundDC().isNull() && BackgroundDC().rect().contains(place.center())) {
        colours.background = BackgroundDC().pixelColor(place.topLeft() + QPoint(1, 1));
        const bool dark = colours.background.lightness() < 128;
        colours.text = dark ? QColor(Qt::white) : QColor(Qt::black);
        // Two fifths of the way to the text colour: plain against both.
        const auto mix = [](int from, int to) { return from + (to - from) * 2 / 5; };
        const QColor& from = colours.background;
        colours.selectedBackground =
            QColor(mix(from.red(), colours.text.red()), mix(from.green(), colours.text.green()),
                   mix(from.blue(), colours.text.blue()));
        colours.selectedText = colours.text;
    }
    pages->Strip()->SetColours(colours);
}

// After a change made in the strip the viewer shows the file afresh; the page count and the
// page box follow it, as after an insert.
void CMainDialog::ShowChangedTarget(int page) {
    if (CLabel* total = FindLabel(QStringLiteral("LABEL_PAGETOTAL"))) {
        total->SetText(QString::asprintf("%d", int(m_viewer.GetPageCount())));
        total->update();
    }
    if (CSkinEdit* box = EditBox(kPageBox)) {
        box->setText(QString::number(page));
    }
}

void CMainDialog::OpenTarget(const QString& path) {
    CSkinEdit* target = EditBox(kTargetBox);
    if (target == nullptr || m_viewer.LoadPage(path, 1) == 0) {
        return;
    }
    target->setEnabled(true);
    target->setText(path);
    ShowFirstPage(path);
}

void CMainDialog::ButtonPressed(const QString& name) {
    if (name == QLatin1String("BUTTON_EXIT") || name == QLatin1String("BUTTON_CLOSE")) {
        done(1);
    } else if (name == QLatin1String("BUTTON_BROWSE")) {
        Browse();
    } else if (name == QLatin1String("BUTTON_BROWSEAPPEND")) {
        BrowseAppend();
    } else if (name == QLatin1String("BUTTON_CONVERT")) {
        Convert();
    } else if (name == QLatin1String("BUTTON_PLAY")) {
        SwapPlayPause(kPlayPressed, true);
    } else if (name == QLatin1String("BUTTON_PAUSE")) {
        SwapPlayPause(kPausePressed, false);
    } else if (name == QLatin1String("BUTTON_PAGE")) {
        ShowChosenPage();
    } else if (name == QLatin1String("BUTTON_MINIMIZE")) {
        showMinimized();
    }
}

void CMainDialog::OptionSelected(const QString&) {}

// The slider's own position is shown; the reported one is not needed.
void CMainDialog::SliderChanged(const QString& name, int) {
    if (name == QLatin1String("SLIDER_PROGRESS")) {
        UpdateTimeLabel();
    }
}

CSkinEdit* CMainDialog::EditBox(int position) const {
    return position < int(edits.size()) ? edits[position] : nullptr;
}

QString CMainDialog::EditText(int position) const {
    const CSkinEdit* edit = EditBox(position);
    return edit == nullptr ? QString() : edit->text();
}

void CMainDialog::Browse() {
    if (const std::optional<QString> path =
            ChooseInto(kTargetBox, tr("Choose the TIFF file to insert into"))) {
        ShowFirstPage(*path);
    }
}

void CMainDialog::BrowseAppend() {
    ChooseInto(kAppendBox, tr("Choose the TIFF file whose pages to insert"));
}

std::optional<QString> CMainDialog::ChooseInto(int position, const QString& title) {
    if (EditBox(position) == nullptr) {
        return std::nullopt;
    }
    const std::optional<QString> path = ChooseTiff(title);
    if (path) {
        PutFile(position, *path);
    }
    return path;
}

// The box is enabled even if the skin made it disabled.
bool CMainDialog::PutFile(int position, const QString& path) {
    CSkinEdit* box = EditBox(position);
    if (box == nullptr) {
        return false;
    }
    box->setEnabled(true);
    box->setText(path);
    return true;
}

// Page Up and Page Down leaf through the pages from anywhere in the window, F9 shows and hides
// the page strip, and the undo keys reach the target.
void CMainDialog::keyPressEvent(QKeyEvent* event) {
    TiffViewerWidget* pages = PageView();
    if (pages != nullptr && (event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp)) {
        pages->ShowPage(pages->CurrentPage() + (event->key() == Qt::Key_PageDown ? 1 : -1));
        event->accept();
        return;
    }
    if (pages != nullptr && event->key() == Qt::Key_F9) {
        pages->ToggleStrip();
        event->accept();
        return;
    }
    if (const auto command = PageStrip::CommandForKey(*event);
        pages != nullptr &&
        (command == PageStrip::Command::Undo || command == PageStrip::Command::Redo)) {
        pages->RunCommand(*command);
        event->accept();
        return;
    }
    CSkinDialog::keyPressEvent(event);
}

std::optional<QStringList> CMainDialog::DroppedTiffs(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) {
        return std::nullopt;
    }
    const QList<QUrl> urls = data->urls();
    if (urls.isEmpty() || urls.size() > 2) {
        return std::nullopt;
    }
    QStringList files;
    for (const QUrl& url : urls) {
        const QFileInfo file(url.toLocalFile());
        const QString suffix = file.suffix().toLower();
        if (!url.isLocalFile() || !file.isFile() || (suffix != "tif" && suffix != "tiff")) {
            return std::nullopt;
        }
        files << file.absoluteFilePath();
    }
    return files;
}

void CMainDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedTiffs(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void CMainDialog::dragMoveEvent(QDragMoveEvent* event) {
    if (DroppedTiffs(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

// One file is the target, or the file to insert when dropped on its box; two are both.
void CMainDialog::dropEvent(QDropEvent* event) {
    const std::optional<QStringList> files = DroppedTiffs(event->mimeData());
    if (!files) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    m_chooserFolder = QFileInfo(files->front()).absolutePath();
    const CSkinEdit* appendBox = EditBox(kAppendBox);
    const bool onAppendBox =
        appendBox != nullptr && appendBox->geometry().contains(event->position().toPoint());
    if (files->size() == 1 && onAppendBox) {
        PutFile(kAppendBox, files->front());
        return;
    }
    if (PutFile(kTargetBox, files->front())) {
        ShowFirstPage(files->front());
    }
    if (files->size() == 2) {
        PutFile(kAppendBox, files->back());
    }
}

void CMainDialog::Convert() {
    if (EditBox(kAppendBox) == nullptr) {
        return;
    }
    const QString target = EditText(kTargetBox);
    if (target.isEmpty()) {
        GetPrompts().MessageBox(kNoTarget, Prompts::kOk);
        return;
    }
    const QString append = EditText(kAppendBox);
    if (append.isEmpty()) {
        GetPrompts().MessageBox(kNoAppend, Prompts::kOk);
        return;
    }
    const std::int16_t position = LowSixteenBits(EditText(kPositionBox));
    if (!m_viewer.AppendPages(target, position, append)) {
        // A cancel is what the user asked for; the viewer notes it in its corner.
        if (!m_viewer.AppendCancelled()) {
            GetPrompts().MessageBox(kInsertFailed, Prompts::kOk, m_viewer.LastError());
        }
        return;
    }
    ShowFirstPage(target);
}

void CMainDialog::ShowChosenPage() {
    if (EditBox(kAppendBox) == nullptr) {
        return;
    }
    const QString page = EditText(kPageBox);
    const QString target = EditText(kTargetBox);
    if (target.isEmpty()) {
        GetPrompts().MessageBox(kNoTarget, Prompts::kOk);
        return;
    }
    if (!page.isEmpty()) {
        m_viewer.LoadPage(target, LowSixteenBits(page));
    }
    m_viewer.DisplaySetting(kDisplaySetting);
}

// The message comes first; the buttons swap only after it is closed.
void CMainDialog::SwapPlayPause(const char* message, bool playing) {
    GetPrompts().MessageBox(message, Prompts::kOk);
    if (CSkinButton* pause = FindButton(QStringLiteral("BUTTON_PAUSE"))) {
        pause->setVisible(playing);
    }
    if (CSkinButton* play = FindButton(QStringLiteral("BUTTON_PLAY"))) {
        play->setVisible(!playing);
    }
}

void CMainDialog::ShowFirstPage(const QString& path) {
    m_viewer.ReloadFlag(true);
    m_viewer.LoadPage(path, 1);
    const std::int16_t count = m_viewer.GetPageCount();
    if (CLabel* total = FindLabel(QStringLiteral("LABEL_PAGETOTAL"))) {
        total->SetText(QString::asprintf("%d", int(count)));
        total->update();
    }
    m_viewer.FileName(path);
    m_viewer.DisplaySetting(kDisplaySetting);
}

std::optional<QString> CMainDialog::ChooseTiff(const QString& title) {
    const QString folder =
        m_chooserFolder.isEmpty() ? QString::fromStdString(StartDirectory()) : m_chooserFolder;
    const std::optional<QString> path =
        GetPrompts().OpenFile(title, QString::fromLatin1(kTiffFilter), folder);
    if (path) {
        m_chooserFolder = QFileInfo(*path).absolutePath();
    }
    return path;
}

std::int16_t CMainDialog::LowSixteenBits(const QString& text) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(Atoi(text.toStdString())));
}
