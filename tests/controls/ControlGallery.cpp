// Not a test: a window with every control in a grid of its states, to be looked at under a
// real X server. Usage: controls_gallery [screenshot.png [seconds]]
#include "controls/Label.h"
#include "controls/ListFont.h"
#include "controls/SkinButton.h"
#include "controls/SkinCheck.h"
#include "controls/SkinComboBox.h"
#include "controls/SkinEdit.h"
#include "controls/SkinListBox.h"
#include "controls/SkinOption.h"
#include "controls/SkinSlider.h"
#include "platform/QtConvert.h"
#include "tests/controls/ScrollImages.h"
#include "tests/controls/TestHost.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QColor kKey(255, 0, 255);

// Four frames of a rounded button with the key colour in the corners.
QImage ButtonStrip(QSize frame, const QString& caption) {
    const QColor fills[] = {QColor(70, 90, 170), QColor(110, 140, 230), QColor(30, 40, 100),
                            QColor(120, 120, 120)};
    QImage strip(frame.width() * 4, frame.height(), QImage::Format_RGB32);
    strip.fill(kKey);
    QPainter painter(&strip);
    for (int k = 0; k < 4; ++k) {
        const QRect box(k * frame.width(), 0, frame.width(), frame.height());
        painter.setPen(Qt::white);
        painter.setBrush(fills[k]);
        painter.drawRoundedRect(box.adjusted(0, 0, -1, -1), 8, 8);
        painter.drawText(box, Qt::AlignCenter, caption);
    }
    return strip;
}

QImage Solid(QSize size, QColor colour, bool keyedCorner) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    if (keyedCorner) {
        QPainter painter(&image);
        painter.fillRect(0, 0, 2, 2, kKey);
        painter.fillRect(size.width() - 2, size.height() - 2, 2, 2, kKey);
    }
    return image;
}

class Gallery {
public:
    Gallery() {
        host.setWindowTitle("controls gallery");
        Save("button.bmp", ButtonStrip({80, 26}, "Browse"));
        Save("check.bmp", ButtonStrip({26, 26}, "x"));
        Save("channel.bmp", Solid({130, 8}, QColor(40, 220, 120), false));
        Save("thumb.bmp", Solid({12, 22}, QColor(250, 250, 250), true));
        Save("dragged.bmp", Solid({12, 22}, QColor(250, 200, 40), true));
        Save("combo.bmp", ButtonStrip({22, 22}, "v"));
        AddRowTitles();
        AddButtons<CSkinButton>(20, "button.bmp", {80, 26});
        AddButtons<CSkinCheck>(60, "check.bmp", {26, 26});
        AddButtons<CSkinOption>(100, "check.bmp", {26, 26});
        AddLabels(140);
        AddEdits(180);
        AddSliders(220);
        AddList(QRect(120, 270, 220, 260));
        AddCombo(Rect{380, 270, 560, 292}, "closed");
        AddOptionsUnder(320);
        AddCombo(Rect{380, 420, 560, 442}, "open")->ToggleList();
    }

    void Show() {
        host.ShowAndWait();
        m_longList->verticalScrollBar()->setValue(40);
    }
    // Hover over the normal button of the first row.
    void HoverFirst() { QTest::mouseMove(host.windowHandle(), {250, 33}); }

    tipin::test::TestHost host{QSize(720, 560)};

private:
    std::string Path(const QString& name) const { return dir.filePath(name).toStdString(); }
    void Save(const QString& name, const QImage& image) { image.save(dir.filePath(name), "BMP"); }

    void Caption(QRect rect, const QString& text) {
        auto* label = new CLabel(&host);
        label->setGeometry(rect);
        label->SetFontName("DejaVu Sans");
        label->SetFontSize(8);
        label->SetText(text);
    }

    void AddRowTitles() {
        const char* columns[] = {"normal", "hover (pointer)", "latched", "latchOnly", "disabled"};
        for (int c = 0; c < 5; ++c) {
            Caption(QRect(120 + c * 115, 2, 110, 14), columns[c]);
        }
    }

    template <typename Control> void AddButtons(int top, const QString& file, QSize size) {
        Caption(QRect(5, top + 5, 110, 14), Control::staticMetaObject.className());
        for (int c = 0; c < 5; ++c) {
            auto* control = new Control(&host);
            const QRect rect(QPoint(120 + c * 115, top), size);
            control->setGeometry(rect);
            control->SetTransparentColour(Rgb(255, 0, 255));
            control->LoadSkinBitmap(Path(file), rect.left(), rect.top(), rect.right() + 1,
                                    rect.bottom() + 1);
            control->SetTooltipText(QString("state %1").arg(c), true);
            control->latchOnly = c == 3 ? 1 : 0;
            control->SetLatched(c == 2 || c == 3 ? 1 : 0);
            control->setEnabled(c != 4);
        }
    }

    void AddLabels(int top) {
        Caption(QRect(5, top + 5, 110, 14), "CLabel");
        auto* plain = new CLabel(&host);
        plain->setGeometry(120, top, 110, 30);
        plain->SetFontName("DejaVu Sans");
        plain->SetFontSize(10);
        plain->SetText("Pages: 12");
        auto* twoLines = new CLabel(&host);
        twoLines->setGeometry(235, top, 110, 34);
        twoLines->SetFontName("DejaVu Sans");
        twoLines->SetFontSize(8);
        twoLines->SetTextColour(Rgb(255, 230, 80));
        twoLines->SetText("Two\nlines");
        auto* clipped = new CLabel(&host);
        clipped->setGeometry(350, top, 110, 30);
        clipped->SetFontName("DejaVu Sans");
        clipped->SetFontSize(12);
        clipped->SetFontBold(true);
        clipped->SetText("A text too wide for it");
    }

    void AddEdits(int top) {
        Caption(QRect(5, top + 5, 110, 14), "CSkinEdit");
        auto* editable = new CSkinEdit(&host);
        editable->setGeometry(120, top, 220, 20);
        editable->setText("/home/user/scan.tif");
        auto* coloured = new CSkinEdit(&host);
        coloured->setGeometry(350, top, 100, 20);
        coloured->SetBkColour(Rgb(20, 20, 40));
        coloured->SetTextColour(Rgb(250, 250, 120));
        coloured->SetFrameColour(Rgb(255, 120, 0));
        coloured->setText("1");
        auto* disabled = new CSkinEdit(&host);
        disabled->setGeometry(465, top, 100, 20);
        disabled->setText("disabled");
        disabled->setEnabled(false);
    }

    void AddSliders(int top) {
        Caption(QRect(5, top + 5, 110, 14), "CSkinSlider");
        const int positions[] = {0, 3600, 7200, 3600};
        for (int c = 0; c < 4; ++c) {
            auto* slider = new CSkinSlider(&host);
            slider->move(120 + c * 150, top);
            slider->SetTransparentColour(Rgb(255, 0, 255));
            slider->SetChannelBitmap(Path("channel.bmp"));
            slider->SetThumbBitmaps(Path("thumb.bmp"), Path("dragged.bmp"), true);
            slider->SetRange(0, 7200, false);
            slider->SetDrawFocusRect(false, false);
            slider->SetPos(positions[c]);
            slider->Enable(c != 3);
        }
    }

    void AddList(QRect rect) {
        Caption(QRect(5, rect.top() + 5, 110, 14), "CSkinListBox");
        auto* list = new CSkinListBox(&host);
        list->setGeometry(rect);
        list->SetBkColour(Rgb(24, 24, 48));
        list->SetTextColour(Rgb(220, 220, 240));
        list->SetSelectedBkColour(Rgb(250, 190, 40));
        list->SetSelectedTextColour(Rgb(20, 20, 20));
        list->setFont(CListFont::Make("Arial", 18, 10));
        list->SetScrollBarImages(ScrollFiles());
        list->InsertColumn(Qt::AlignRight, CSkinListBox::kNumberColumnWidth);
        list->InsertColumn(Qt::AlignLeft, list->viewport()->width() - list->ScrollBar()->width() -
                                              CSkinListBox::kTextColumnMargin);
        for (int i = 1; i <= 200; ++i) {
            list->AddItem(QString("page_%1.tif").arg(i));
        }
        list->selectRow(42);
        m_longList = list;
    }

    CSkinComboBox* AddCombo(const Rect& rect, const QString& caption) {
        Caption(QRect(rect.right + 10, rect.top + 3, 80, 14), caption);
        const std::string strip = Path("combo.bmp");
        auto* combo = new CSkinComboBox(&host);
        combo->setGeometry(ToQRect(rect));
        combo->LoadButtonMetrics(strip);
        combo->SetRects(rect.left, rect.top, rect.right, rect.bottom + 100);
        auto* button = new CComboButton(&host);
        const Rect& b = combo->ButtonRect();
        button->setGeometry(ToQRect(b));
        button->LoadSkinBitmap(strip, b.left, b.top, b.right, b.bottom);
        combo->SetButtonPart(button);
        auto* edit = new CComboEdit(&host);
        edit->setGeometry(ToQRect(combo->EditRect()));
        edit->SetBkColour(Rgb(24, 24, 48));
        edit->SetTextColour(Rgb(250, 250, 250));
        edit->SetFrameColour(Rgb(250, 190, 40));
        combo->SetEditPart(edit);
        auto* list = new CComboList(&host);
        list->setGeometry(ToQRect(combo->ListRect()));
        list->SetBkColour(Rgb(40, 40, 70));
        list->SetTextColour(Rgb(230, 230, 230));
        list->SetSelectedBkColour(Rgb(250, 190, 40));
        list->SetSelectedTextColour(Rgb(20, 20, 20));
        list->setFont(CListFont::Make("Arial", 18, 10));
        list->SetScrollBarImages(ScrollFiles());
        list->InsertColumn(Qt::AlignLeft, list->viewport()->width());
        list->hide();
        combo->SetListPart(list);
        for (int i = 1; i <= 8; ++i) {
            combo->AddString(QString("item%1").arg(i));
        }
        combo->SelectString("item1");
        return combo;
    }

    void AddOptionsUnder(int top) {
        Caption(QRect(380, top + 40, 160, 14), "LABEL_MODE (under)");
        for (int c = 0; c < 3; ++c) {
            auto* option = new CSkinOption(&host);
            const QRect rect(QPoint(380 + c * 40, top), QSize(26, 26));
            option->setGeometry(rect);
            option->SetTransparentColour(Rgb(255, 0, 255));
            option->LoadSkinBitmap(Path("check.bmp"), rect.left(), rect.top(), rect.right() + 1,
                                   rect.bottom() + 1);
            option->SetLatched(c == 0 ? 1 : 0);
        }
    }

    std::array<std::string, 7> ScrollFiles() const {
        return tipin::test::WriteScrollImages(dir.path().toStdString());
    }

    QTemporaryDir dir;
    CSkinListBox* m_longList = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Gallery gallery;
    gallery.Show();
    gallery.HoverFirst();
    const QString shot = argc > 1 ? QString(argv[1]) : QString();
    const int seconds = argc > 2 ? QString(argv[2]).toInt() : 0;
    QTimer::singleShot(300, [&] {
        if (!shot.isEmpty()) {
            gallery.host.grab().save(shot);
        }
    });
    QTimer::singleShot(300 + seconds * 1000, &app, &QApplication::quit);
    return app.exec();
}
