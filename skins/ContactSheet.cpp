#include "skins/ContactSheet.h"

#include "platform/QtConvert.h"
#include "skin/SkinDescriptionReader.h"
#include "skins/SkinFonts.h"

#include <QPainter>

namespace {

constexpr QRgb kTransparent = 0xFFFF00FF;

QImage Keyed(const QString& path, QRgb key) {
    QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) {
                line[x] = 0;
            }
        }
    }
    return image;
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The frame `k` of a four-frame strip, drawn over the control's rectangle.
void DrawFrame(QPainter& p, const std::string& strip, const Rect& rect, int k, QRgb key) {
    const QImage image = Keyed(Q(strip), key);
    const int w = image.width() / 4;
    p.drawImage(ToQRect(rect), image, QRect(k * w, 0, w, image.height()));
}

void DrawLabel(QPainter& p, const LabelRecord& label) {
    // The program sizes label fonts at 96 pixels per inch.
    QFont font = CSkinFonts::Font(label.fontSize * 96 * 10 / 720, false);
    p.setFont(font);
    p.setPen(ToQColor(label.textColour));
    p.drawText(ToQRect(label.rect), Qt::AlignLeft | Qt::AlignTop, Q(label.text));
}

void DrawEdit(QPainter& p, const Rect& rect, COLORREF back, COLORREF border) {
    const QRect r = ToQRect(rect);
    p.fillRect(r.adjusted(-1, -1, 1, 1), ToQColor(border));
    p.fillRect(r, ToQColor(back));
}

// An empty list shows its background only: its scroll bar has nothing to scroll.
void DrawList(QPainter& p, const Rect& rect, const ListColours& colours) {
    p.fillRect(ToQRect(rect), ToQColor(colours.normalBackground));
}

} // namespace

QImage CContactSheet::RenderSkin(const std::string& skinFolder) {
    CSkinFonts::Load();
    const SkinDescription d = SkinDescriptionReader(skinFolder + "/Skin.ini").ReadAll();
    QImage canvas = QImage(Q(d.background)).convertToFormat(QImage::Format_RGB32);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const QRgb key = ToQColor(d.transparentColour).rgb();
    if (d.icon) {
        p.drawImage(ToQRect(d.icon->rect).topLeft(), Keyed(Q(d.icon->bitmap), key));
    }
    for (const ButtonRecord& b : d.buttons) {
        if (b.name != "BUTTON_PAUSE") {
            DrawFrame(p, b.bitmap, b.rect, 0, key);
        }
    }
    for (const auto* latches : {&d.options, &d.checks}) {
        for (const LatchRecord& l : *latches) {
            DrawFrame(p, l.bitmap, l.rect, l.latched ? 2 : 0, key);
        }
    }
    if (d.caption) {
        DrawLabel(p, *d.caption);
    }
    for (const LabelRecord& label : d.labels) {
        if (label.name != "LABEL_TIME") {
            DrawLabel(p, label);
        }
    }
    for (const EditRecord& e : d.edits) {
        DrawEdit(p, e.rect, e.backgroundColour, e.borderColour);
    }
    for (const ListBoxRecord& l : d.listBoxes) {
        DrawList(p, l.rect, l.colours);
    }
    for (const ComboBoxRecord& c : d.comboBoxes) {
        const QImage strip(Q(c.bitmap));
        const int fw = strip.width() / 4;
        const int fh = strip.height();
        DrawEdit(p, {c.rect.left, c.rect.top, c.rect.right - fw, c.rect.top + fh}, c.editBackground,
                 c.editBorder);
        DrawFrame(p, c.bitmap,
                  {c.rect.right - fw, c.rect.top - 1, c.rect.right, c.rect.top + fh + 1}, 0,
                  0xFF000000);
    }
    if (d.screenRect) {
        p.fillRect(ToQRect(*d.screenRect), QColor(250, 250, 250));
        p.setPen(QColor(120, 120, 120));
        p.drawText(ToQRect(*d.screenRect), Qt::AlignCenter, QStringLiteral("page view"));
    }
    return canvas;
}

QImage CContactSheet::Compose(const std::vector<std::string>& skinFolders, int columns) {
    const int cellWidth = 983 + 20;
    const int cellHeight = 785 + 20;
    const int rows = (int(skinFolders.size()) + columns - 1) / columns;
    QImage sheet(cellWidth * columns, cellHeight * rows, QImage::Format_RGB32);
    sheet.fill(QColor(64, 72, 80));
    QPainter p(&sheet);
    for (std::size_t i = 0; i < skinFolders.size(); ++i) {
        QImage skin = RenderSkin(skinFolders[i]);
        for (int y = 0; y < skin.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(skin.scanLine(y));
            for (int x = 0; x < skin.width(); ++x) {
                if (line[x] == kTransparent) {
                    line[x] = qRgb(64, 72, 80);
                }
            }
        }
        const int col = int(i) % columns;
        const int row = int(i) / columns;
        p.drawImage(col * cellWidth + 10, row * cellHeight + 10, skin);
    }
    return sheet;
}
