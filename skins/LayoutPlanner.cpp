#include "skins/LayoutPlanner.h"

#include "platform/QtConvert.h"

namespace {

constexpr int kLabelHeight = 20;
constexpr int kEditHeight = 24;
constexpr int kSmallEditWidth = 80;

// The controls every skin needs, placed by one of the layouts.
struct MainRects {
    Rect target, position, page, append;
};

class Planner {
public:
    explicit Planner(const SkinTheme& theme) : m_theme(theme) {}

    SkinLayout Run() {
        PlaceTitle();
        MainRects edits;
        switch (m_theme.layout) {
        case LayoutKind::SidePanel:
            edits = PlaceSidePanel();
            break;
        case LayoutKind::TopBand:
            edits = PlaceTopBand(SkinLayout::kWindowWidth - 20);
            break;
        case LayoutKind::Showcase:
            edits = PlaceTopBand(SkinLayout::kWindowWidth - 20);
            PlaceShowcase();
            break;
        }
        AddEdit("EDIT_TARGET", edits.target);
        AddEdit("EDIT_POSITION", edits.position);
        AddEdit("EDIT_PAGE", edits.page);
        AddEdit("EDIT_APPEND", edits.append);
        PlaceNotifier();
        m_layout.model.background = "back.bmp";
        return m_layout;
    }

private:
    void PlaceTitle() {
        m_layout.titleBar = QRect(0, 0, SkinLayout::kWindowWidth, 52);
        m_layout.model.icon = {"icon.bmp", {16, 12, 48, 44}};
        m_layout.model.caption = {
            "CAPTION", {58, 14, 420, 40}, "Tipin - insert TIFF pages", 14, m_theme.titleText};
        AddButton("BUTTON_MINIMIZE", "btn_minimize.bmp", {893, 16, 923, 40}, "Minimize the window",
                  {{}, Glyph::Minimize, false});
        AddButton("BUTTON_CLOSE", "btn_close.bmp", {929, 16, 959, 40}, "Close Tipin",
                  {{}, Glyph::Close, false});
    }

    // One column of controls beside the page view.
    MainRects PlaceSidePanel() {
        const int panelLeft = m_theme.panelOnLeft ? 20 : 679;
        const QRect panel(panelLeft, 60, 284, 705);
        m_layout.panels.push_back(panel);
        const int viewerLeft = m_theme.panelOnLeft ? 320 : 24;
        m_layout.model.control = {viewerLeft, 64, viewerLeft + 639, 761};
        const int l = panelLeft + 16;
        const int r = l + 252;
        MainRects edits;
        int y = 84;
        AddLabel("LABEL_TARGET", {l, y, r, y + kLabelHeight}, "1. Target TIFF file");
        edits.target = EditAt(l, y + 25, r - l);
        AddBrowse("BUTTON_BROWSE", {r - 124, y + 58, r, y + 90});
        y += 126;
        AddLabel("LABEL_APPEND", {l, y, r, y + kLabelHeight}, "2. Insert pages from");
        edits.append = EditAt(l, y + 25, r - l);
        AddBrowseAppend({r - 124, y + 58, r, y + 90});
        y += 126;
        AddLabel("LABEL_POSITION", {l, y, r, y + kLabelHeight}, "3. Insert at page position");
        edits.position = EditAt(l, y + 29, kSmallEditWidth);
        AddConvert({l + 96, y + 24, r, y + 60});
        y += 96;
        AddLabel("LABEL_PAGE", {l, y, r, y + kLabelHeight}, "Show page number");
        edits.page = EditAt(l, y + 29, kSmallEditWidth);
        AddShowPage({l + 96, y + 24, r, y + 60});
        y += 96;
        AddLabel("LABEL_PAGES", {l, y, r, y + kLabelHeight}, "Pages in target");
        AddPageTotal({l, y + 22, r, y + 54});
        m_layout.emblems.push_back(QRect(l + 76, y + 72, 100, 100));
        AddTimeDisplay({l, 706, r, 724}, {l, 732, l + 200, 748}, m_theme.labelText);
        m_layout.viewerFrame = ToQRect(m_layout.model.control).adjusted(-4, -4, 4, 4);
        return edits;
    }

    // Three panels across the window above the page view, which spans `viewerRight`.
    MainRects PlaceTopBand(int viewerRight) {
        m_layout.panels.push_back(QRect(20, 60, 460, 146));
        m_layout.panels.push_back(QRect(492, 60, 220, 146));
        m_layout.panels.push_back(QRect(724, 60, 239, 146));
        MainRects edits;
        AddLabel("LABEL_TARGET", {36, 70, 330, 90}, "1. Target TIFF file");
        edits.target = EditAt(36, 95, 302);
        AddBrowse("BUTTON_BROWSE", {346, 91, 464, 123});
        AddLabel("LABEL_APPEND", {36, 134, 330, 154}, "2. Insert pages from");
        edits.append = EditAt(36, 159, 302);
        AddBrowseAppend({346, 155, 464, 187});
        AddLabel("LABEL_POSITION", {508, 70, 700, 90}, "3. Insert at page position");
        edits.position = EditAt(508, 95, kSmallEditWidth);
        AddConvert({508, 140, 696, 186});
        AddLabel("LABEL_PAGE", {740, 70, 947, 90}, "Show page number");
        edits.page = EditAt(740, 95, kSmallEditWidth);
        AddShowPage({830, 91, 947, 123});
        AddLabel("LABEL_PAGES", {740, 134, 947, 154}, "Pages in target");
        AddPageTotal({740, 155, 947, 187});
        AddTimeDisplay({440, 18, 620, 36}, {640, 20, 840, 36}, m_theme.titleText);
        m_layout.model.control = {24, 220, viewerRight - 4, 761};
        m_layout.viewerFrame = ToQRect(m_layout.model.control).adjusted(-4, -4, 4, 4);
        return edits;
    }

    // The page view gives room to a column with every other kind of control.
    void PlaceShowcase() {
        m_layout.model.control.right = 699;
        m_layout.viewerFrame = ToQRect(m_layout.model.control).adjusted(-4, -4, 4, 4);
        m_layout.panels.push_back(QRect(715, 216, 248, 549));
        const int l = 731;
        const int r = 947;
        AddLabel("LABEL_SHOWCASE", {l, 230, r, 250}, "Showcase controls");
        AddButton("BUTTON_PLAY", "btn_play.bmp", {l, 258, l + 40, 298},
                  "Play: shows a message and turns into Pause", {{}, Glyph::Play, false});
        AddButton("BUTTON_PAUSE", "btn_pause.bmp", {l, 258, l + 40, 298},
                  "Pause: shows a message and turns into Play", {{}, Glyph::Pause, false});
        AddLabel("LABEL_PLAY", {l + 50, 268, r, 288}, "Play and pause");
        AddLatch(m_layout.model.options, "OPTION_FIRST", "opt_first.bmp", {l, 312, l + 104, 336},
                 "Option button of the showcase; it does not change the pages", true,
                 {QStringLiteral("Option 1"), LatchKind::Option});
        AddLatch(m_layout.model.options, "OPTION_SECOND", "opt_second.bmp", {l + 112, 312, r, 336},
                 "Option button of the showcase; it does not change the pages", false,
                 {QStringLiteral("Option 2"), LatchKind::Option});
        AddLatch(m_layout.model.checks, "CHECK_FIRST", "chk_first.bmp", {l, 344, l + 104, 368},
                 "Check box of the showcase; it does not change the pages", true,
                 {QStringLiteral("Check 1"), LatchKind::Check});
        AddLatch(m_layout.model.checks, "CHECK_SECOND", "chk_second.bmp", {l + 112, 344, r, 368},
                 "Check box of the showcase; it does not change the pages", false,
                 {QStringLiteral("Check 2"), LatchKind::Check});
        AddLabel("LABEL_COMBO", {l, 382, r, 402}, "Drop-down list");
        ComboBoxModel combo;
        combo.name = "COMBO_ITEMS";
        combo.rect = {l + 1, 408, r, 494};
        combo.bitmap = "combo.bmp";
        combo.editBackground = m_theme.editBack;
        combo.editText = m_theme.editText;
        combo.editBorder = m_theme.editBorder;
        combo.listColours = ListColours();
        combo.scrollBitmaps = ScrollBitmaps();
        m_layout.model.comboBoxes.push_back(combo);
        AddLabel("LABEL_LIST", {l, 506, r, 526}, "Numbered list");
        ListBoxModel list;
        list.name = "LISTBOX_ITEMS";
        list.rect = {l + 1, 532, r, 749};
        list.colours = ListColours();
        list.scrollBitmaps = ScrollBitmaps();
        m_layout.model.listBoxes.push_back(list);
    }

    void PlaceNotifier() {
        const int w = m_layout.notifierSize.width();
        ButtonModel exit{
            "TASKBUTTON_EXIT", "task_exit.bmp", {w - 36, 12, w - 12, 34}, "Close this notice"};
        m_layout.model.taskbarButtons.push_back(exit);
        m_layout.buttonFaces[exit.bitmap] = {{}, Glyph::Close, false};
    }

    ListColourModel ListColours() const {
        return {m_theme.listBack, m_theme.listText, m_theme.selectedBack, m_theme.selectedText};
    }

    static ScrollBitmapNames ScrollBitmaps() {
        return {"sb_track.bmp",       "sb_up.bmp",    "sb_up_active.bmp",   "sb_down.bmp",
                "sb_down_active.bmp", "sb_thumb.bmp", "sb_thumb_active.bmp"};
    }

    void AddBrowse(const std::string& name, const Rect& rect) {
        AddButton(name, "btn_browse.bmp", rect, "Choose the TIFF file that receives the pages",
                  {QStringLiteral("Browse..."), Glyph::None, false});
    }
    void AddBrowseAppend(const Rect& rect) {
        AddButton("BUTTON_BROWSEAPPEND", "btn_browse_append.bmp", rect,
                  "Choose the TIFF file whose pages are inserted",
                  {QStringLiteral("Browse..."), Glyph::None, false});
    }
    void AddConvert(const Rect& rect) {
        AddButton("BUTTON_CONVERT", "btn_insert.bmp", rect,
                  "Insert all pages of the chosen file into the target at the position",
                  {QStringLiteral("Insert pages"), Glyph::None, true});
    }
    void AddShowPage(const Rect& rect) {
        AddButton("BUTTON_PAGE", "btn_page.bmp", rect, "Show the page whose number is typed in",
                  {QStringLiteral("Show page"), Glyph::None, false});
    }

    void AddPageTotal(const Rect& rect) {
        m_layout.model.labels.push_back({"LABEL_PAGETOTAL", rect, "0", 18, m_theme.valueText});
    }

    void AddTimeDisplay(const Rect& label, const Rect& slider, const QColor& colour) {
        m_layout.model.labels.push_back({"LABEL_TIME", label, "00:00:00/02:00:00", 9, colour});
        m_layout.model.sliders.push_back({"SLIDER_PROGRESS", "slider_channel.bmp",
                                          "slider_thumb.bmp", "slider_thumb_active.bmp", slider,
                                          "Progress"});
    }

    void AddButton(const std::string& name, const std::string& bitmap, const Rect& rect,
                   const std::string& tooltip, const ButtonFace& face) {
        m_layout.model.buttons.push_back({name, bitmap, rect, tooltip});
        m_layout.buttonFaces[bitmap] = face;
    }

    void AddLatch(std::vector<LatchModel>& into, const std::string& name, const std::string& bitmap,
                  const Rect& rect, const std::string& tooltip, bool latched,
                  const LatchFace& face) {
        into.push_back({name, bitmap, rect, tooltip, latched});
        m_layout.latchFaces[bitmap] = face;
    }

    void AddLabel(const std::string& name, const Rect& rect, const std::string& text) {
        m_layout.model.labels.push_back({name, rect, text, 10, m_theme.labelText});
    }

    // The edit's frame is drawn one pixel outside its rectangle, so the box sits inset.
    static Rect EditAt(int left, int top, int width) {
        return {left + 1, top + 1, left + width - 1, top + 1 + kEditHeight};
    }

    void AddEdit(const std::string& name, const Rect& rect) {
        m_layout.model.edits.push_back(
            {name, rect, m_theme.editBack, m_theme.editText, m_theme.editBorder});
    }

    const SkinTheme& m_theme;
    SkinLayout m_layout;
};

} // namespace

SkinLayout CLayoutPlanner::Plan(const SkinTheme& theme) {
    return Planner(theme).Run();
}
