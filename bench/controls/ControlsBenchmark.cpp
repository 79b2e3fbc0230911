#include "bench/support/RunWithin.h"
#include "controls/Label.h"
#include "controls/ListFont.h"
#include "controls/SkinButton.h"
#include "controls/SkinCheck.h"
#include "controls/SkinEdit.h"
#include "controls/SkinHost.h"
#include "controls/SkinListBox.h"
#include "controls/SkinOption.h"
#include "controls/SkinSlider.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kControlCount = 50;
constexpr double kMaxSecondsPerControl = 1e-3;
constexpr double kMaxSecondsPerListRepaint = 5e-3;

class BenchHost : public QWidget, public CSkinHost {
public:
    BenchHost() : m_background(800, 600, QImage::Format_RGB32) {
        QPainter painter(&m_background);
        QLinearGradient gradient(0, 0, 800, 600);
        gradient.setColorAt(0, QColor(60, 20, 90));
        gradient.setColorAt(1, QColor(200, 120, 220));
        painter.fillRect(m_background.rect(), gradient);
        resize(m_background.size());
    }
    void OnButtonClicked(int) override {}
    void OnOptionClicked(int) override {}
    void OnCheckClicked(int) override {}
    void OnSliderMoved(int, int) override {}
    const QImage& BackgroundDC() const override { return m_background; }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, m_background); }

private:
    QImage m_background;
};

QString WriteImage(const QTemporaryDir& dir, const QString& name, QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QPainter(&image).fillRect(0, 0, 3, 3, Qt::black);
    const QString path = dir.filePath(name);
    image.save(path, "BMP");
    return path;
}

// A screen of the six kinds of control, as a skin would lay them out.
struct Screen {
    Screen() {
        const std::string strip =
            WriteImage(dir, "strip.bmp", {240, 30}, QColor(30, 140, 200)).toStdString();
        const std::string channel =
            WriteImage(dir, "channel.bmp", {200, 8}, QColor(20, 200, 90)).toStdString();
        const std::string thumb =
            WriteImage(dir, "thumb.bmp", {12, 20}, QColor(240, 240, 240)).toStdString();
        for (int i = 0; i < kControlCount; ++i) {
            const QRect cell((i % 5) * 160 + 5, (i / 5) * 60 + 5, 60, 30);
            AddControl(i % 6, cell, strip, channel, thumb);
        }
        host.show();
        QApplication::processEvents();
    }

    void AddControl(int kind, QRect cell, const std::string& strip, const std::string& channel,
                    const std::string& thumb) {
        const int right = cell.left() + cell.width();
        const int bottom = cell.top() + cell.height();
        if (kind == 0 || kind == 1 || kind == 2) {
            CSkinButton* button = MakeButton(kind);
            button->setGeometry(cell);
            button->LoadSkinBitmap(strip, cell.left(), cell.top(), right, bottom);
        } else if (kind == 3) {
            auto* label = new CLabel(&host);
            label->setGeometry(cell.adjusted(0, 0, 80, 0));
            label->SetFontName("DejaVu Sans");
            label->SetFontSize(10);
            label->SetText("Page total: 12");
            labels.push_back(label);
        } else if (kind == 4) {
            auto* edit = new CSkinEdit(&host);
            edit->setGeometry(cell.adjusted(0, 0, 80, -8));
            edit->setText("C:\\images\\scan.tif");
        } else {
            auto* slider = new CSkinSlider(&host);
            slider->move(cell.topLeft());
            slider->SetTransparentColour(0);
            slider->SetChannelBitmap(channel);
            slider->SetThumbBitmaps(thumb, std::nullopt, true);
            slider->SetRange(0, 7200, false);
            slider->SetPos(2400);
        }
    }

    CSkinButton* MakeButton(int kind) {
        if (kind == 1) {
            return new CSkinCheck(&host);
        }
        if (kind == 2) {
            return new CSkinOption(&host);
        }
        return new CSkinButton(&host);
    }

    QTemporaryDir dir;
    BenchHost host;
    std::vector<CLabel*> labels;
};

// Made after the application and destroyed before it.
std::unique_ptr<Screen> theScreen;

Screen& TheScreen() {
    if (!theScreen) {
        theScreen = std::make_unique<Screen>();
    }
    return *theScreen;
}

void BM_RepaintScreenOf50Controls(benchmark::State& state) {
    Screen& screen = TheScreen();
    RunWithin(state, kMaxSecondsPerControl * kControlCount, [&] { screen.host.repaint(); });
    state.counters["per_control"] = benchmark::Counter(
        kControlCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RepaintScreenOf50Controls)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LabelTextChange(benchmark::State& state) {
    Screen& screen = TheScreen();
    CLabel* label = screen.labels.front();
    int count = 0;
    for (auto _ : state) {
        label->SetText(QString::number(++count));
        label->repaint();
    }
}
BENCHMARK(BM_LabelTextChange)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A list box of 10 000 rows with its skin scroll bar, as a skin lays one out.
struct LongList {
    LongList() {
        const auto image = [&](const char* name, QSize size, QColor colour) {
            return WriteImage(dir, name, size, colour).toStdString();
        };
        list = new CSkinListBox(&host);
        list->setGeometry(20, 20, 316, 400);
        list->SetBkColour(0x301818);
        list->SetTextColour(0xF0E0E0);
        list->SetSelectedBkColour(0x28BEFA);
        list->SetSelectedTextColour(0x141414);
        list->setFont(CListFont::Make("Arial", 18, 10));
        list->SetScrollBarImages(
            {image("track.bmp", {16, 8}, Qt::darkGray), image("up.bmp", {16, 16}, Qt::red),
             image("upa.bmp", {16, 16}, Qt::magenta), image("down.bmp", {16, 16}, Qt::green),
             image("downa.bmp", {16, 16}, Qt::cyan), image("thumb.bmp", {16, 24}, Qt::blue),
             image("thumba.bmp", {16, 24}, Qt::white)});
        list->InsertColumn(Qt::AlignRight, CSkinListBox::kNumberColumnWidth);
        list->InsertColumn(Qt::AlignLeft, list->viewport()->width() - list->ScrollBar()->width() -
                                              CSkinListBox::kTextColumnMargin);
        for (int i = 1; i <= 10000; ++i) {
            list->AddItem(QString("page_%1.tif").arg(i));
        }
        list->selectRow(5000);
        host.show();
        QApplication::processEvents();
    }

    QTemporaryDir dir;
    BenchHost host;
    CSkinListBox* list = nullptr;
};

std::unique_ptr<LongList> theLongList;

// Every iteration scrolls by one page, wrapping at the end, and repaints list and bar.
void BM_ScrollAndRepaintListOf10000Rows(benchmark::State& state) {
    if (!theLongList) {
        theLongList = std::make_unique<LongList>();
    }
    CSkinListBox* list = theLongList->list;
    QScrollBar* scroll = list->verticalScrollBar();
    RunWithin(state, kMaxSecondsPerListRepaint, [&] {
        const int next = scroll->value() + scroll->pageStep();
        scroll->setValue(next > scroll->maximum() ? 0 : next);
        list->viewport()->repaint();
        list->ScrollBar()->repaint();
    });
}
BENCHMARK(BM_ScrollAndRepaintListOf10000Rows)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theScreen.reset();
    theLongList.reset();
    return 0;
}
