#include "control/menu_tree.h"

#include <algorithm>
#include <iterator>

namespace gyr {

namespace {

// Application commands of the desktop.
constexpr int kAbout = 57664;
constexpr int kHelpTopics = 57667;
constexpr int kTheory = 32761;

constexpr MenuItem Cmd(int id, const char* text, const char* accel = "", const char* accel2 = "") {
    return {MenuItemKind::Command, id, text, accel, accel2, {}};
}
constexpr MenuItem Sep() {
    return {MenuItemKind::Separator, 0, "", "", "", {}};
}
constexpr MenuItem Sub(const char* text, std::span<const MenuItem> items) {
    return {MenuItemKind::Submenu, 0, text, "", "", items};
}

constexpr MenuItem kFileMenu[] = {
    Cmd(57600, "&New", "Ctrl+N"),
    Cmd(57601, "&Open...", "Ctrl+O"),
    Cmd(57603, "&Save", "Ctrl+S"),
    Cmd(57604, "Save &As..."),
    Sep(),
    Cmd(32782, "&Drawing Parameters ..."),
    Cmd(32783, "Drawing &Sheet ..."),
    Cmd(32785, "&Set Point-Mark ..."),
    Sep(),
    Cmd(ID_FILE_PRINT, "&Print...", "Ctrl+P"),
    Cmd(ID_FILE_PRINT_PREVIEW, "Print Pre&view"),
    Cmd(ID_FILE_PRINT_SETUP, "P&rint Setup..."),
    Sep(),
    {MenuItemKind::RecentFiles, ID_FILE_MRU_FIRST, "Recent File", "", "", {}},
    Sep(),
    Cmd(ID_APP_EXIT, "E&xit"),
};

constexpr MenuItem kEditMenu[] = {
    Cmd(ID_EDIT_UNDO, "&Undo", "Ctrl+Z", "Alt+Backspace"),
    Sep(),
    Cmd(ID_EDIT_CUT, "Cu&t", "Ctrl+X", "Shift+Del"),
    Cmd(ID_EDIT_COPY, "&Copy", "Ctrl+C", "Ctrl+Ins"),
    Cmd(ID_EDIT_PASTE, "&Paste", "Ctrl+V", "Shift+Ins"),
    Cmd(ID_EDIT_SELECT_ALL, "Select &All", "Ctrl+A"),
    Sep(),
    Cmd(32952, "&Duplicate", "Ctrl+D"),
    Cmd(32953, "&Rotate", "Ctrl+R"),
    Cmd(32954, "&Homothety", "Ctrl+H"),
    Cmd(32717, "R&eflexion"),
    Cmd(32718, "I&nversion"),
    Cmd(32951, "Inter&section"),
    Sep(),
    Cmd(32881, "Make &first"),
    Cmd(32882, "Make las&t"),
    Cmd(32812, "&Match points"),
    Sep(),
    Cmd(ID_DELETE_POINT_MARKS, "Delete &All Point-marks"),
    Cmd(ID_LOGO_FRAME, "&Logo and Frame", "Ctrl+L"),
};

constexpr MenuItem kViewMenu[] = {
    Cmd(ID_VIEW_TOOLBAR, "&Toolbar"),         Cmd(ID_VIEW_STATUS_BAR, "&Status Bar"),
    Cmd(ID_VIEW_LINE_BAR, "&Line thickness"), Cmd(ID_VIEW_COLOR_BAR, "&Color tools"),
    Cmd(ID_VIEW_FONT_BAR, "&Font tools"),     Cmd(ID_VIEW_GROUP_BAR, "&Group operation bar"),
};

constexpr MenuItem kSegmentsMenu[] = {
    Cmd(33026, "&Simple segment"),
    Cmd(33027, "C&ross (orthogonal)"),
    Cmd(33028, "R&atio (golden)"),
    Cmd(33029, "&Parallel to __"),
    Cmd(33030, "&Orthogonal to __"),
    Cmd(33031, "&Tangents to __"),
    Cmd(33032, "Tange&nt at__"),
    Cmd(33033, "&Common tangents to __2"),
    Cmd(33034, "Complete &Quadrilateral to__2"),
    Cmd(33035, "&Divide segs/circs in N parts"),
};

constexpr MenuItem kLinesMenu[] = {
    Cmd(33101, "&Simple line"),
    Cmd(33102, "&Orthogonal to__"),
    Cmd(33103, "&Parallel to__"),
    Cmd(33104, "&Middle orthogonal to__"),
    Cmd(33105, "T&angent at__"),
    Cmd(33106, "&Tangents to __"),
    Cmd(33107, "&Common tangents to__2 circles"),
};

constexpr MenuItem kCirclesMenu[] = {
    Cmd(33001, "&General"),
    Cmd(33002, "&Tangent to circle/line__centered at"),
    Cmd(33003, "T&angent to circle/line__at point"),
    Cmd(33004, "Tang&ent to circle/line__pass 2 pts"),
    Cmd(33005, "Ta&ngent__2 circl/lin and pass 1 pt"),
    Cmd(33006, "Tangent to___3 &circles/lines"),
    Sep(),
    Cmd(33007, "O&rthogonal to circle/line_center at"),
    Cmd(33008, "Ort&hogonal to__2 cir/lin pass 1 pt"),
    Cmd(33009, "&Orthogonal to cir/lin__pass 2 pts"),
    Sep(),
    Cmd(33010, "Ra&dical axis__2 circles"),
    Cmd(33011, "In&version interchanging__2 cir/lin"),
    Cmd(33012, "A&pollonian circle"),
    Cmd(33013, "Three point&s passing"),
};

constexpr MenuItem kTrianglesMenu[] = {
    Cmd(33151, "General"),
    Cmd(33152, "Fr&om elements ..."),
    Sep(),
    Cmd(33153, "&Medians of"),
    Cmd(33154, "&Heights of"),
    Cmd(33155, "&Bisectors of"),
    Cmd(33156, "&Euler circle"),
    Cmd(33157, "E&uler line"),
    Cmd(33158, "&Inscribed circles"),
    Cmd(33159, "&Enclosing circle"),
};

constexpr MenuItem kParallelogramsMenu[] = {
    Cmd(32901, "&General"),
    Cmd(32902, "&Screen"),
    Cmd(32903, "&Equilateral"),
    Cmd(32904, "&Trapezium"),
};

constexpr MenuItem kAnglesMenu[] = {
    Cmd(33051, "Start with side-1"), Cmd(33052, "Viewing a segment"), Cmd(33053, "Fixed"),
    Cmd(33054, "Change fixed ..."),  Cmd(33055, "Divide angle"),
};

constexpr MenuItem kArcsMenu[] = {
    Cmd(33201, "Simple &Arc"),      Cmd(33202, "Ar&c 180"),       Cmd(33203, "Arc on a&ngle"),
    Cmd(33204, "Arc-&H-Line"),      Cmd(33205, "Arc-H-&Segment"), Cmd(33206, "Arc-H-&Next"),
    Cmd(33207, "Arc-H-Orthogonal"),
};

constexpr MenuItem kDrawingMenu[] = {
    Cmd(32751, "&Select", "Ctrl+0"),
    Sub("Se&gments", kSegmentsMenu),
    Sub("&Lines", kLinesMenu),
    Sub("&Circles", kCirclesMenu),
    Sub("&Triangles", kTrianglesMenu),
    Sub("Par&allelograms", kParallelogramsMenu),
    Sub("Angl&es", kAnglesMenu),
    Sub("Circular Arc&s", kArcsMenu),
    Cmd(32752, "P&olygons (reg.)"),
    Sep(),
    Cmd(32753, "Set poi&nts", "Ctrl+E"),
    Cmd(32754, "G&raph ...", "Ctrl+G"),
    Cmd(32755, "Te&xt", "Ctrl+T"),
    Sep(),
    Cmd(32756, "Restricte&d pict (bmp)"),
    Cmd(32757, "&Restricted pict (emf)"),
    Cmd(32758, "I&mport picture ..."),
    Cmd(32759, "Export Picture"),
    Sep(),
    Cmd(ID_SHOW_SCRIPT, "Sho&w Script ..."),
};

constexpr MenuItem kTangentsBisectorsMenu[] = {
    Cmd(33301, "&Bisectors at"),
    Cmd(33302, "&Tangent at"),
    Cmd(33303, "T&angents from"),
};

constexpr MenuItem kIsopticsMenu[] = {
    Cmd(32851, "&Define through ABCD"),
    Cmd(32852, "Through predefined &segments"),
    Cmd(32853, "Through predefined an&gle"),
    Cmd(32854, "Singu&lar"),
    Cmd(32855, "Set &Canonical Constants ..."),
    Sep(),
    Cmd(32856, "Is&optic-II"),
    Cmd(32857, "&Isoptic-III"),
    Cmd(32858, "Canonical a&xes"),
    Cmd(32860, "&Asymptotic"),
    Cmd(32861, "&Middle line"),
    Cmd(32862, "&Flexes"),
    Sub("Tang&ents-Bisectors", kTangentsBisectorsMenu),
    Sep(),
    Cmd(32863, "&Group operation"),
    Cmd(32864, "Main in&volution"),
    Cmd(32865, "Othe&r inversions"),
    Cmd(32866, "A&ngle animation"),
    Sep(),
    Cmd(ID_HALF_COMPONENT_PTS, "Half-component-pts..."),
};

constexpr MenuItem kHelpMenu[] = {
    Cmd(kTheory, "T&heory ..."),       Cmd(kHelpTopics, "&Help Topics", "F1"),
    Cmd(32760, "&Exercises"),          Sep(),
    Cmd(kAbout, "&About Gyrovant..."),
};

constexpr MenuItem kMenuBar[] = {
    Sub("&File", kFileMenu),       Sub("&Edit", kEditMenu),         Sub("&View", kViewMenu),
    Sub("&Drawing", kDrawingMenu), Sub("&Isoptics", kIsopticsMenu), Sub("&Help", kHelpMenu),
};

constexpr int kMainButtons[] = {
    32701, 32702, 32703, 32704, 32705, 32706, 32707, 32708, 32709, 0, 32710, 32711, 32712, 32713,
    32714, 32715, 32716, 32717, 32718, 0,     32880, 32881, 32882, 0, 32951, 32952, 32953, 32954,
};
constexpr int kLineButtons[] = {
    32721, 32722, 32723, 32724, 32725, 32726, 0, 32730, 0, 32741, 32742, 32743, 32744, 32745,
};
constexpr int kColorButtons[] = {
    32792, 32793, 32794, 32795, 32796, 32797, 32798, 32799, 32800, 32801, 32802,
    32803, 32804, 32805, 32806, 32807, 32808, 0,     32920, 32921, 32922, 32923,
};
constexpr int kGroupButtons[] = {32959, 32960, 32961};

constexpr ToolBarDef kToolBars[] = {
    {ID_VIEW_TOOLBAR, "Drawing tools", BarSide::Top, true, kMainButtons},
    {ID_VIEW_LINE_BAR, "line-thickness and pattern", BarSide::Left, true, kLineButtons},
    {ID_VIEW_COLOR_BAR, "pen-color", BarSide::Right, true, kColorButtons},
    {ID_VIEW_GROUP_BAR, "group operation", BarSide::Top, false, kGroupButtons},
};

// Status texts and tool tips. Menu entries without a row show their menu
// text as the tip and no status text of their own.
constexpr CommandText kTexts[] = {
    {57600, "Create a new drawing", "New"},
    {57601, "Open a drawing, or import a bitmap or metafile", "Open"},
    {57603, "Save the drawing", "Save"},
    {57604, "Save the drawing under a new name, or export the sheet as a picture", "Save As"},
    {32782, "Edit the drawing parameters of the constructions", "Drawing Parameters"},
    {32783, "Define sheet-width, height, unit-length, axes-center, labels on axes etc.",
     "Drawing Sheet"},
    {32785, "Choose the figure that marks single points", "Set Point-Mark"},
    {ID_FILE_PRINT, "Print the sheet", "Print"},
    {ID_FILE_PRINT_PREVIEW, "Show the printed sheet on the screen", "Print Preview"},
    {ID_FILE_PRINT_SETUP, "Choose the printer and the page", "Print Setup"},
    {ID_APP_EXIT, "Quit the program, asking to save the drawing", "Exit"},
    {ID_EDIT_UNDO, "Undo the last cut, paste, move or creation", "Undo"},
    {ID_EDIT_CUT, "Cut the selection to the clipboard", "Cut"},
    {ID_EDIT_COPY, "Copy the selection to the clipboard", "Copy"},
    {ID_EDIT_PASTE, "Paste figures, a picture or text from the clipboard", "Paste"},
    {ID_EDIT_SELECT_ALL, "Select every figure", "Select All"},
    {ID_DELETE_POINT_MARKS, "Delete every point mark of the drawing", "Delete All Point-marks"},
    {ID_LOGO_FRAME, "Add the logo and a frame to the sheet", "Logo and Frame"},
    {ID_VIEW_TOOLBAR, "Show or hide the drawing tools", "Toolbar"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar", "Status Bar"},
    {ID_VIEW_LINE_BAR, "Show or hide the line-thickness and pattern bar", "Line thickness"},
    {ID_VIEW_COLOR_BAR, "Show or hide the pen-color bar", "Color tools"},
    {ID_VIEW_FONT_BAR, "Show or hide the font bar", "Font tools"},
    {ID_VIEW_GROUP_BAR, "Show or hide the group operation bar", "Group operation bar"},
    {ID_SHOW_SCRIPT, "Open the locus script window", "Show Script"},
    {ID_HALF_COMPONENT_PTS, "Set the half-number of points of isoptic components",
     "Half-component-pts"},
    {kTheory, "The theory of isoptic cubics", "Theory"},
    {kHelpTopics, "List the help topics", "Help Topics"},
    {32760, "Exercises", "Exercises"},
    {kAbout, "Program information and version", "About"},

    // Main tool bar.
    {32701, "Select, move and reshape figures; frame several with the mouse", "Selection tool"},
    {32702, "Draw line-segments", "Line-segments"},
    {32703, "Draw lines", "Line"},
    {32704, "Draw parallelograms", "Parallelogramms"},
    {32705, "Draw angles: first side, then the second", "Angles"},
    {32706, "Draw triangles: one side, then the third vertex", "Triangles"},
    {32707, "Draw circles: centre, then radius", "Centered circles"},
    {32708, "Draw regular polygons: centre, then a vertex", "Regular polygons"},
    {32709, "Draw a text box", "Text box"},
    {32710, "Select segment or line, then draw its orthogonal", "Orthogonal to"},
    {32711, "Draw a segment with its orthogonal through the middle", "Cross"},
    {32712, "Select circle, then draw the tangents from a point", "Tangents from point"},
    {32713, "Select circle or line, then the circles through 2 points tangent to it",
     "Tangent +2 points"},
    {32714, "Select circle or line, then the tangent circles centred at a point", "Circle tangent"},
    {32715, "Select triangle, get its enclosing circle", "Enclosing circle"},
    {32716, "Select angle, divide it in N parts", "Angle-division"},
    {32717, "Select mirror line or side, then reflect the selection in it", "Reflect"},
    {32718, "Select circle, then invert the selection in it", "Invert"},
    {32880, "Snap new points to existing points (on/off)", "Match points"},
    {32812, "Snap new points to existing points (on/off)", "Match points"},
    {32881, "Put the selected figure first, under all others", "Make first"},
    {32882, "Put the selected figure last, over all others", "Make last"},
    {32951, "Intersection points of the two selected figures", "Intersection"},
    {32952, "Duplicate the selection (Shift: translation from selected segment)", "Duplicate"},
    {32953, "Rotate a copy of the selection (Shift: rotation from selected angle)", "Rotate"},
    {32954, "Scale a copy of the selection (Shift: homothety from selected segment)", "Homothety"},

    // Line tool bar.
    {32721, "Lines of 1 pixel", "1-pixel line"},
    {32722, "Lines of 2 pixels", "2-pixels line"},
    {32723, "Lines of 3 pixels", "3-pixels line"},
    {32724, "Lines of 4 pixels", "4-pixels line"},
    {32725, "Lines of 5 pixels", "5-pixels line"},
    {32726, "Lines of 6 pixels", "6-pixels line"},
    {32730, "Set by user thickness (dialog)", "User thickness"},
    {32741, "Solid lines", "Solid"},
    {32742, "Dashed lines (1 pixel)", "Dash"},
    {32743, "Dotted lines (1 pixel)", "Dot"},
    {32744, "Dash-dot lines (1 pixel)", "Dash-dot"},
    {32745, "Dash-dot-dot lines (1 pixel)", "Dash-dot-dot"},

    // Colour tool bar.
    {32792, "Black", "Black"},
    {32793, "White", "White"},
    {32794, "Grey", "Grey"},
    {32795, "Light grey", "Light grey"},
    {32796, "Maroon", "Maroon"},
    {32797, "Red", "Red"},
    {32798, "Olive", "Olive"},
    {32799, "Yellow", "Yellow"},
    {32800, "Green", "Green"},
    {32801, "Lime", "Lime"},
    {32802, "Teal", "Teal"},
    {32803, "Aqua", "Aqua"},
    {32804, "Navy", "Navy"},
    {32805, "Blue", "Blue"},
    {32806, "Purple", "Purple"},
    {32807, "Fuchsia", "Fuchsia"},
    {32808, "No colour: no contour or no fill", "No colour"},
    {32920, "The colours set the contours", "Contours"},
    {32921, "The colours set the region (fill)", "Region"},
    {32922, "The colours set the text", "Text"},
    {32923, "The colours set the axes", "Axes"},

    // Isoptics.
    {32856, "Select isoptic, get its 2nd cousin.", "Isoptic-II"},
    {32857, "Select isoptic, get its 3rd cousin (and last).", "Isoptic-III"},
    {32858, "Select isoptic, get its canonicla axis.", "Canonical axes"},
    {33301, "Select point on isoptic, get its bisectors there.", "Bisectors at"},
    {33302, "Select point on isoptic, get its tangent there.", "Tangent at"},
    {33303, "Select point on isoptic, get its tangent to same from there.", "Tangents from"},
    {32860, "Select isoptic, get its asymptotic line.", "Asymptotic"},
    {32861, "Select isoptic, get its middle-line.", "Middle line"},
    {32862, "Select isoptic, get its flex-points (3 on a line).", "Flexes"},
    {32863, "Group operation (in several stages).", "Group operation"},
    {32864, "Main involution of isoptic (2 stages).", "Main involution"},
    {32865, "Isoptic preserving inversions (at most 4).", "Other inversions"},
    {32866, "Move point on isoptic and look at angles viewing etc...", "Angle animation"},
    {32959, "Group operation: first point", "Group operation 1"},
    {32960, "Group operation: second point", "Group operation 2"},
    {32961, "Group operation: third point", "Group operation 3"},
};

const MenuItem* FindIn(std::span<const MenuItem> items, int id) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItemKind::Command && item.id == id) return &item;
        if (item.kind == MenuItemKind::Submenu)
            if (const MenuItem* found = FindIn(item.items, id)) return found;
    }
    return nullptr;
}

void CollectIds(std::span<const MenuItem> items, std::vector<int>& ids) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItemKind::Command) ids.push_back(item.id);
        if (item.kind == MenuItemKind::Submenu) CollectIds(item.items, ids);
    }
}

}  // namespace

std::span<const MenuItem> MenuBar() {
    return kMenuBar;
}

std::span<const ToolBarDef> ToolBars() {
    return kToolBars;
}

const CommandText* FindCommandText(int id) {
    auto it = std::find_if(std::begin(kTexts), std::end(kTexts),
                           [id](const CommandText& t) { return t.id == id; });
    return it == std::end(kTexts) ? nullptr : &*it;
}

const MenuItem* FindMenuItem(int id) {
    return FindIn(kMenuBar, id);
}

std::vector<int> MenuCommandIds() {
    std::vector<int> ids;
    CollectIds(kMenuBar, ids);
    return ids;
}

std::string PlainMenuText(const char* text) {
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (*p == '&' && p[1] != '&') continue;
        out += *p;
        if (*p == '&') ++p;  // "&&" is a literal ampersand
    }
    while (!out.empty() && (out.back() == '.' || out.back() == ' ')) out.pop_back();
    return out;
}

}  // namespace gyr
