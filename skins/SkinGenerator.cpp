#include "skins/SkinGenerator.h"

#include "platform/QtConvert.h"
#include "skins/BackgroundPainter.h"
#include "skins/BmpWriter.h"
#include "skins/ControlPainter.h"
#include "skins/LayoutPlanner.h"
#include "skins/SkinFonts.h"
#include "skins/SkinIniWriter.h"
#include "skins/ThemeCatalog.h"

#include <filesystem>
#include <stdexcept>

namespace {

class SkinBuilder {
public:
    explicit SkinBuilder(const SkinTheme& theme)
        : m_theme(theme), m_layout(CLayoutPlanner::Plan(theme)), m_backgrounds(theme, m_layout),
          m_controls(theme) {}

    GeneratedSkin Run() {
        m_skin.folder = m_theme.folder;
        m_skin.package = m_theme.package;
        m_skin.model = m_layout.model;
        m_background = m_backgrounds.Background();
        Store(m_layout.model.background, m_background);
        Store(m_layout.model.icon.bitmap,
              m_backgrounds.Icon(Under(m_background, m_layout.model.icon.rect)));
        PaintedBitmap notifier = m_backgrounds.Notifier();
        for (const ButtonModel& b : m_layout.model.taskbarButtons) {
            Store(b.bitmap, m_controls.ButtonStrip(Face(b), Under(notifier.image, b.rect)));
        }
        Store(CSkinGenerator::kNotifierBitmap, std::move(notifier));
        for (const ButtonModel& b : m_layout.model.buttons) {
            Store(b.bitmap, m_controls.ButtonStrip(Face(b), Under(m_background, b.rect)));
        }
        PaintLatches(m_layout.model.options);
        PaintLatches(m_layout.model.checks);
        PaintSliders();
        if (!m_layout.model.listBoxes.empty() || !m_layout.model.comboBoxes.empty()) {
            PaintScrollBar();
        }
        for (const ComboBoxModel& c : m_layout.model.comboBoxes) {
            Store(c.bitmap, m_controls.ComboStrip());
        }
        return std::move(m_skin);
    }

private:
    static QImage Under(const QImage& image, const Rect& r) { return image.copy(ToQRect(r)); }

    const ButtonFace& Face(const ButtonModel& b) const { return m_layout.buttonFaces.at(b.bitmap); }

    void Store(const std::string& name, const QImage& image) {
        if (!m_skin.bitmaps.emplace(name, image).second) {
            throw std::logic_error("bitmap painted twice: " + name);
        }
    }

    void Store(const std::string& name, PaintedBitmap painted) {
        for (TextMark& mark : painted.marks) {
            mark.bitmap = name;
            m_skin.textMarks.push_back(std::move(mark));
        }
        Store(name, painted.image);
    }

    void PaintLatches(const std::vector<LatchModel>& latches) {
        for (const LatchModel& l : latches) {
            Store(l.bitmap, m_controls.LatchStrip(m_layout.latchFaces.at(l.bitmap),
                                                  Under(m_background, l.rect)));
        }
    }

    void PaintSliders() {
        for (const SliderModel& s : m_layout.model.sliders) {
            const int offset =
                (CControlPainter::kSliderThumb.height() - CControlPainter::kSliderChannelHeight) /
                2;
            const QRect channel(s.rect.left, s.rect.top + offset, s.rect.Width(),
                                CControlPainter::kSliderChannelHeight);
            Store(s.channelBitmap, m_controls.SliderChannel(m_background.copy(channel)));
            Store(s.thumbBitmap, m_controls.SliderThumb(false));
            Store(s.thumbActiveBitmap, m_controls.SliderThumb(true));
        }
    }

    void PaintScrollBar() {
        const ScrollBitmapNames names = m_layout.model.listBoxes.empty()
                                            ? m_layout.model.comboBoxes.front().scrollBitmaps
                                            : m_layout.model.listBoxes.front().scrollBitmaps;
        const auto images = m_controls.ScrollImages();
        for (std::size_t i = 0; i < names.size(); ++i) {
            Store(names[i], images[i]);
        }
    }

    const SkinTheme& m_theme;
    SkinLayout m_layout;
    CBackgroundPainter m_backgrounds;
    CControlPainter m_controls;
    QImage m_background;
    GeneratedSkin m_skin;
};

} // namespace

GeneratedSkin CSkinGenerator::Build(const SkinTheme& theme) {
    CSkinFonts::Load();
    return SkinBuilder(theme).Run();
}

void CSkinGenerator::Write(const GeneratedSkin& skin, const std::string& folder) {
    // A fresh folder: files of an earlier generation must not end up in the package.
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    for (const auto& [name, image] : skin.bitmaps) {
        CBmpWriter::Write(image, folder + "/" + name);
    }
    CSkinIniWriter::Write(skin.model, folder + "/Skin.ini");
}

std::vector<GeneratedSkin> CSkinGenerator::WriteAll(const std::string& root) {
    std::vector<GeneratedSkin> skins;
    for (const SkinTheme& theme : CThemeCatalog::All()) {
        skins.push_back(Build(theme));
        Write(skins.back(), root + "/" + theme.folder);
    }
    return skins;
}
