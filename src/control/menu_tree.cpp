#include "control/menu_tree.h"

#include <algorithm>
#include <iterator>

namespace gyr {

namespace {

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
    Cmd(ID_FILE_NEW, "&New", "Ctrl+N"),
    Cmd(ID_FILE_OPEN, "&Open...", "Ctrl+O"),
    Cmd(ID_FILE_SAVE, "&Save", "Ctrl+S"),
    Cmd(ID_FILE_SAVE_AS, "Save &As..."),
    Sep(),
    Cmd(ID_DRAWING_PARAMS, "&Drawing Parameters ..."),
    Cmd(ID_DRAWING_SHEET, "Drawing &Sheet ..."),
    Cmd(ID_POINT_MARK, "&Set Point-Mark ..."),
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
    Cmd(ID_EDIT_REDO, "&Redo", "Ctrl+Shift+Z", "Ctrl+Y"),
    Sep(),
    Cmd(ID_EDIT_CUT, "Cu&t", "Ctrl+X", "Shift+Del"),
    Cmd(ID_EDIT_COPY, "&Copy", "Ctrl+C", "Ctrl+Ins"),
    Cmd(ID_EDIT_PASTE, "&Paste", "Ctrl+V", "Shift+Ins"),
    Cmd(ID_EDIT_SELECT_ALL, "Select &All", "Ctrl+A"),
    Sep(),
    Cmd(ID_DUPLICATE, "&Duplicate", "Ctrl+D"),
    Cmd(ID_ROTATE, "&Rotate", "Ctrl+R"),
    Cmd(ID_HOMOTHETY, "&Homothety", "Ctrl+H"),
    Cmd(ID_REFLECT_TOOL, "R&eflexion"),
    Cmd(ID_INVERT_TOOL, "I&nversion"),
    Cmd(ID_INTERSECTION, "Inter&section"),
    Sep(),
    Cmd(ID_MAKE_FIRST, "Make &first"),
    Cmd(ID_MAKE_LAST, "Make las&t"),
    Cmd(ID_MATCH_POINTS_ALT, "&Match points"),
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
    Cmd(ID_SEGMENT_SIMPLE, "&Simple segment"),
    Cmd(ID_SEGMENT_CROSS, "C&ross (orthogonal)"),
    Cmd(ID_SEGMENT_RATIO, "R&atio (golden)"),
    Cmd(ID_SEGMENT_PARALLEL, "&Parallel to __"),
    Cmd(ID_SEGMENT_ORTHOGONAL, "&Orthogonal to __"),
    Cmd(ID_SEGMENT_TANGENTS, "&Tangents to __"),
    Cmd(ID_SEGMENT_TANGENT_AT, "Tange&nt at__"),
    Cmd(ID_SEGMENT_COMMON_TANGENTS, "&Common tangents to __2"),
    Cmd(ID_SEGMENT_QUADRILATERAL, "Complete &Quadrilateral to__2"),
    Cmd(ID_SEGMENT_DIVIDE, "&Divide segs/circs in N parts"),
};

constexpr MenuItem kLinesMenu[] = {
    Cmd(ID_LINE_SIMPLE, "&Simple line"),
    Cmd(ID_LINE_ORTHOGONAL, "&Orthogonal to__"),
    Cmd(ID_LINE_PARALLEL, "&Parallel to__"),
    Cmd(ID_LINE_MIDDLE_ORTHOGONAL, "&Middle orthogonal to__"),
    Cmd(ID_LINE_TANGENT_AT, "T&angent at__"),
    Cmd(ID_LINE_TANGENTS, "&Tangents to __"),
    Cmd(ID_LINE_COMMON_TANGENTS, "&Common tangents to__2 circles"),
};

constexpr MenuItem kCirclesMenu[] = {
    Cmd(ID_CIRCLE_GENERAL, "&General"),
    Cmd(ID_CIRCLE_TANGENT_CENTRED, "&Tangent to circle/line__centered at"),
    Cmd(ID_CIRCLE_TANGENT_AT, "T&angent to circle/line__at point"),
    Cmd(ID_CIRCLE_TANGENT_THROUGH_2, "Tang&ent to circle/line__pass 2 pts"),
    Cmd(ID_CIRCLE_TANGENT_2_THROUGH_1, "Ta&ngent__2 circl/lin and pass 1 pt"),
    Cmd(ID_CIRCLE_TANGENT_3, "Tangent to___3 &circles/lines"),
    Sep(),
    Cmd(ID_CIRCLE_ORTHOGONAL_CENTRED, "O&rthogonal to circle/line_center at"),
    Cmd(ID_CIRCLE_ORTHOGONAL_2_THROUGH_1, "Ort&hogonal to__2 cir/lin pass 1 pt"),
    Cmd(ID_CIRCLE_ORTHOGONAL_THROUGH_2, "&Orthogonal to cir/lin__pass 2 pts"),
    Sep(),
    Cmd(ID_CIRCLE_RADICAL_AXIS, "Ra&dical axis__2 circles"),
    Cmd(ID_CIRCLE_INVERSION_INTERCHANGING, "In&version interchanging__2 cir/lin"),
    Cmd(ID_CIRCLE_APOLLONIAN, "A&pollonian circle"),
    Cmd(ID_CIRCLE_THREE_POINTS, "Three point&s passing"),
};

constexpr MenuItem kTrianglesMenu[] = {
    Cmd(ID_TRIANGLE_GENERAL, "General"),
    Cmd(ID_TRIANGLE_DIALOG, "Fr&om elements ..."),
    Sep(),
    Cmd(ID_TRIANGLE_MEDIANS, "&Medians of"),
    Cmd(ID_TRIANGLE_HEIGHTS, "&Heights of"),
    Cmd(ID_TRIANGLE_BISECTORS, "&Bisectors of"),
    Cmd(ID_TRIANGLE_EULER_CIRCLE, "&Euler circle"),
    Cmd(ID_TRIANGLE_EULER_LINE, "E&uler line"),
    Cmd(ID_TRIANGLE_INSCRIBED, "&Inscribed circles"),
    Cmd(ID_TRIANGLE_ENCLOSING, "&Enclosing circle"),
};

constexpr MenuItem kParallelogramsMenu[] = {
    Cmd(ID_PARALLELOGRAM_GENERAL, "&General"),
    Cmd(ID_PARALLELOGRAM_SCREEN, "&Screen"),
    Cmd(ID_PARALLELOGRAM_RHOMB, "&Equilateral"),
    Cmd(ID_PARALLELOGRAM_TRAPEZIUM, "&Trapezium"),
};

constexpr MenuItem kAnglesMenu[] = {
    Cmd(ID_ANGLE_FROM_SIDE, "Start with side-1"),
    Cmd(ID_ANGLE_VIEWING, "Viewing a segment"),
    Cmd(ID_ANGLE_FIXED, "Fixed"),
    Cmd(ID_ANGLE_FIXED_DIALOG, "Change fixed ..."),
    Cmd(ID_ANGLE_DIVIDE, "Divide angle"),
};

constexpr MenuItem kArcsMenu[] = {
    Cmd(ID_ARC_SIMPLE, "Simple &Arc"),
    Cmd(ID_ARC_180, "Ar&c 180"),
    Cmd(ID_ARC_ON_ANGLE, "Arc on a&ngle"),
    Cmd(ID_ARC_H_LINE, "Arc-&H-Line"),
    Cmd(ID_ARC_H_SEGMENT, "Arc-H-&Segment"),
    Cmd(ID_ARC_H_NEXT, "Arc-H-&Next"),
    Cmd(ID_ARC_H_ORTHOGONAL, "Arc-H-Orthogonal"),
};

constexpr MenuItem kDrawingMenu[] = {
    Cmd(ID_DRAW_SELECT, "&Select", "Ctrl+0"),
    Sub("Se&gments", kSegmentsMenu),
    Sub("&Lines", kLinesMenu),
    Sub("&Circles", kCirclesMenu),
    Sub("&Triangles", kTrianglesMenu),
    Sub("Par&allelograms", kParallelogramsMenu),
    Sub("Angl&es", kAnglesMenu),
    Sub("Circular Arc&s", kArcsMenu),
    Cmd(ID_DRAW_POLYGONS, "P&olygons (reg.)"),
    Sep(),
    Cmd(ID_DRAW_POINTS, "Set poi&nts", "Ctrl+E"),
    Cmd(ID_DRAW_GRAPH, "G&raph ...", "Ctrl+G"),
    Cmd(ID_DRAW_TEXT, "Te&xt", "Ctrl+T"),
    Sep(),
    Cmd(ID_DRAW_PICT_BMP, "Restricte&d pict (bmp)"),
    Cmd(ID_DRAW_PICT_EMF, "&Restricted pict (emf)"),
    Cmd(ID_IMPORT_PICTURE, "I&mport picture ..."),
    Cmd(ID_EXPORT_PICTURE, "Export Picture"),
    Sep(),
    Cmd(ID_SHOW_SCRIPT, "Sho&w Script ..."),
};

constexpr MenuItem kTangentsBisectorsMenu[] = {
    Cmd(ID_ISOPTIC_BISECTORS_AT, "&Bisectors at"),
    Cmd(ID_ISOPTIC_TANGENT_AT, "&Tangent at"),
    Cmd(ID_ISOPTIC_TANGENTS_FROM, "T&angents from"),
};

constexpr MenuItem kIsopticsMenu[] = {
    Cmd(ID_ISOPTIC_ABCD, "&Define through ABCD"),
    Cmd(ID_ISOPTIC_SEGMENTS, "Through predefined &segments"),
    Cmd(ID_ISOPTIC_ANGLE, "Through predefined an&gle"),
    Cmd(ID_ISOPTIC_SINGULAR, "Singu&lar"),
    Cmd(ID_ISOPTIC_CONSTANTS, "Set &Canonical Constants ..."),
    Sep(),
    Cmd(ID_ISOPTIC_TWO, "Is&optic-II"),
    Cmd(ID_ISOPTIC_THREE, "&Isoptic-III"),
    Cmd(ID_ISOPTIC_AXES, "Canonical a&xes"),
    Cmd(ID_ISOPTIC_ASYMPTOTE, "&Asymptotic"),
    Cmd(ID_ISOPTIC_MIDDLE_LINE, "&Middle line"),
    Cmd(ID_ISOPTIC_FLEXES, "&Flexes"),
    Sub("Tang&ents-Bisectors", kTangentsBisectorsMenu),
    Sep(),
    Cmd(ID_ISOPTIC_GROUP, "&Group operation"),
    Cmd(ID_ISOPTIC_INVOLUTION, "Main in&volution"),
    Cmd(ID_ISOPTIC_INVERSIONS, "Othe&r inversions"),
    Cmd(ID_ISOPTIC_ANIMATION, "A&ngle animation"),
    Sep(),
    Cmd(ID_HALF_COMPONENT_PTS, "Half-component-pts..."),
};

constexpr MenuItem kHelpMenu[] = {
    Cmd(ID_HELP_THEORY, "T&heory ..."),      Cmd(ID_HELP_FINDER, "&Help Topics", "F1"),
    Cmd(ID_EXERCISES, "&Exercises"),         Sep(),
    Cmd(ID_APP_ABOUT, "&About Gyrovant..."),
};

constexpr MenuItem kMenuBar[] = {
    Sub("&File", kFileMenu),       Sub("&Edit", kEditMenu),         Sub("&View", kViewMenu),
    Sub("&Drawing", kDrawingMenu), Sub("&Isoptics", kIsopticsMenu), Sub("&Help", kHelpMenu),
};

constexpr int kMainButtons[] = {
    ID_SELECT_TOOL,
    ID_SEGMENTS_TOOL,
    ID_LINE_TOOL,
    ID_PARALLELOGRAMS_TOOL,
    ID_ANGLES_TOOL,
    ID_TRIANGLES_TOOL,
    ID_CIRCLES_TOOL,
    ID_POLYGONS_TOOL,
    ID_TEXT_BOX_TOOL,
    0,
    ID_ORTHOGONAL_TOOL,
    ID_CROSS_TOOL,
    ID_TANGENTS_FROM_TOOL,
    ID_TANGENT_2_POINTS_TOOL,
    ID_CIRCLE_TANGENT_TOOL,
    ID_ENCLOSING_CIRCLE_TOOL,
    ID_ANGLE_DIVISION_TOOL,
    ID_REFLECT_TOOL,
    ID_INVERT_TOOL,
    0,
    ID_MATCH_POINTS,
    ID_MAKE_FIRST,
    ID_MAKE_LAST,
    0,
    ID_INTERSECTION,
    ID_DUPLICATE,
    ID_ROTATE,
    ID_HOMOTHETY,
};
constexpr int kLineButtons[] = {
    ID_WIDTH_1,
    ID_WIDTH_1 + 1,
    ID_WIDTH_1 + 2,
    ID_WIDTH_1 + 3,
    ID_WIDTH_1 + 4,
    ID_WIDTH_6,
    0,
    ID_WIDTH_USER,
    0,
    ID_STYLE_SOLID,
    ID_STYLE_SOLID + 1,
    ID_STYLE_SOLID + 2,
    ID_STYLE_SOLID + 3,
    ID_STYLE_DASHDOTDOT,
};
constexpr int kColorButtons[] = {
    ID_COLOR_FIRST,      ID_COLOR_FIRST + 1,  ID_COLOR_FIRST + 2,
    ID_COLOR_FIRST + 3,  ID_COLOR_FIRST + 4,  ID_COLOR_FIRST + 5,
    ID_COLOR_FIRST + 6,  ID_COLOR_FIRST + 7,  ID_COLOR_FIRST + 8,
    ID_COLOR_FIRST + 9,  ID_COLOR_FIRST + 10, ID_COLOR_FIRST + 11,
    ID_COLOR_FIRST + 12, ID_COLOR_FIRST + 13, ID_COLOR_FIRST + 14,
    ID_COLOR_LAST,       ID_COLOR_NONE,       0,
    ID_TARGET_CONTOUR,   ID_TARGET_REGION,    ID_TARGET_TEXT,
    ID_TARGET_AXES,
};
constexpr int kGroupButtons[] = {
    ID_GROUP_BAR_FIRST,
    ID_GROUP_BAR_SECOND,
    ID_GROUP_BAR_THIRD,
};

constexpr int kFontButtons[] = {
    ID_TEXT_BOLD,
    ID_TEXT_ITALIC,
    ID_TEXT_UNDERLINE,
    ID_TEXT_STRIKEOUT,
    0,
    ID_JUSTIFY_LEFT,
    ID_JUSTIFY_CENTER,
    ID_JUSTIFY_RIGHT,
    0,
    ID_FONT_FACE_COMBO,
    0,
    ID_FONT_SIZE_COMBO,
};

constexpr ToolBarDef kToolBars[] = {
    {ID_VIEW_TOOLBAR, "Drawing tools", BarSide::Top, true, kMainButtons},
    {ID_VIEW_LINE_BAR, "line-thickness and pattern", BarSide::Left, true, kLineButtons},
    {ID_VIEW_COLOR_BAR, "pen-color", BarSide::Right, true, kColorButtons},
    {ID_VIEW_GROUP_BAR, "group operation", BarSide::Top, false, kGroupButtons},
    {ID_VIEW_FONT_BAR, "Styles", BarSide::Top, true, kFontButtons},
};

// Status texts and tool tips. Menu entries without a row show their menu
// text as the tip and no status text of their own.
constexpr CommandText kTexts[] = {
    {ID_FILE_NEW, "Create a new drawing", "New"},
    {ID_FILE_OPEN, "Open a drawing, or import a bitmap or metafile", "Open"},
    {ID_FILE_SAVE, "Save the drawing", "Save"},
    {ID_FILE_SAVE_AS, "Save the drawing under a new name, or export the sheet as a picture",
     "Save As"},
    {ID_DRAWING_PARAMS, "Edit the drawing parameters of the constructions", "Drawing Parameters"},
    {ID_DRAWING_SHEET, "Define sheet-width, height, unit-length, axes-center, labels on axes etc.",
     "Drawing Sheet"},
    {ID_POINT_MARK, "Choose the figure that marks single points", "Set Point-Mark"},
    {ID_FILE_PRINT, "Print the sheet", "Print"},
    {ID_FILE_PRINT_PREVIEW, "Show the printed sheet on the screen", "Print Preview"},
    {ID_FILE_PRINT_SETUP, "Choose the printer and the page", "Print Setup"},
    {ID_APP_EXIT, "Quit the program, asking to save the drawing", "Exit"},
    {ID_EDIT_UNDO, "Undo the last change", "Undo"},
    {ID_EDIT_REDO, "Redo the last change undone", "Redo"},
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
    {ID_HELP_THEORY, "The theory of isoptic cubics", "Theory"},
    {ID_HELP_FINDER, "List the help topics", "Help Topics"},
    {ID_EXERCISES, "Exercises", "Exercises"},
    {ID_APP_ABOUT, "Program information and version", "About"},

    // Main tool bar.
    {ID_SELECT_TOOL, "Select, move and reshape figures; frame several with the mouse",
     "Selection tool"},
    {ID_SEGMENTS_TOOL, "Draw line-segments", "Line-segments"},
    {ID_LINE_TOOL, "Draw lines", "Line"},
    {ID_PARALLELOGRAMS_TOOL, "Draw parallelograms", "Parallelogramms"},
    {ID_ANGLES_TOOL, "Draw angles: first side, then the second", "Angles"},
    {ID_TRIANGLES_TOOL, "Draw triangles: one side, then the third vertex", "Triangles"},
    {ID_CIRCLES_TOOL, "Draw circles: centre, then radius", "Centered circles"},
    {ID_POLYGONS_TOOL, "Draw regular polygons: centre, then a vertex", "Regular polygons"},
    {ID_TEXT_BOX_TOOL, "Draw a text box", "Text box"},
    {ID_ORTHOGONAL_TOOL, "Select segment or line, then draw its orthogonal", "Orthogonal to"},
    {ID_CROSS_TOOL, "Draw a segment with its orthogonal through the middle", "Cross"},
    {ID_TANGENTS_FROM_TOOL, "Select circle, then draw the tangents from a point",
     "Tangents from point"},
    {ID_TANGENT_2_POINTS_TOOL,
     "Select circle or line, then the circles through 2 points tangent to it", "Tangent +2 points"},
    {ID_CIRCLE_TANGENT_TOOL, "Select circle or line, then the tangent circles centred at a point",
     "Circle tangent"},
    {ID_ENCLOSING_CIRCLE_TOOL, "Select triangle, get its enclosing circle", "Enclosing circle"},
    {ID_ANGLE_DIVISION_TOOL, "Select angle, divide it in N parts", "Angle-division"},
    {ID_REFLECT_TOOL, "Select mirror line or side, then reflect the selection in it", "Reflect"},
    {ID_INVERT_TOOL, "Select circle, then invert the selection in it", "Invert"},
    {ID_MATCH_POINTS, "Snap new points to existing points (on/off)", "Match points"},
    {ID_MATCH_POINTS_ALT, "Snap new points to existing points (on/off)", "Match points"},
    {ID_MAKE_FIRST, "Put the selected figure first, under all others", "Make first"},
    {ID_MAKE_LAST, "Put the selected figure last, over all others", "Make last"},
    {ID_INTERSECTION, "Intersection points of the two selected figures", "Intersection"},
    {ID_DUPLICATE, "Duplicate the selection (Shift: translation from selected segment)",
     "Duplicate"},
    {ID_ROTATE, "Rotate a copy of the selection (Shift: rotation from selected angle)", "Rotate"},
    {ID_HOMOTHETY, "Scale a copy of the selection (Shift: homothety from selected segment)",
     "Homothety"},

    // Line tool bar.
    {ID_WIDTH_1, "Lines of 1 pixel", "1-pixel line"},
    {ID_WIDTH_1 + 1, "Lines of 2 pixels", "2-pixels line"},
    {ID_WIDTH_1 + 2, "Lines of 3 pixels", "3-pixels line"},
    {ID_WIDTH_1 + 3, "Lines of 4 pixels", "4-pixels line"},
    {ID_WIDTH_1 + 4, "Lines of 5 pixels", "5-pixels line"},
    {ID_WIDTH_6, "Lines of 6 pixels", "6-pixels line"},
    {ID_WIDTH_USER, "Set by user thickness (dialog)", "User thickness"},
    {ID_STYLE_SOLID, "Solid lines", "Solid"},
    {ID_STYLE_SOLID + 1, "Dashed lines (1 pixel)", "Dash"},
    {ID_STYLE_SOLID + 2, "Dotted lines (1 pixel)", "Dot"},
    {ID_STYLE_SOLID + 3, "Dash-dot lines (1 pixel)", "Dash-dot"},
    {ID_STYLE_DASHDOTDOT, "Dash-dot-dot lines (1 pixel)", "Dash-dot-dot"},

    // Colour tool bar.
    {ID_COLOR_FIRST, "Black", "Black"},
    {ID_COLOR_FIRST + 1, "White", "White"},
    {ID_COLOR_FIRST + 2, "Grey", "Grey"},
    {ID_COLOR_FIRST + 3, "Light grey", "Light grey"},
    {ID_COLOR_FIRST + 4, "Maroon", "Maroon"},
    {ID_COLOR_FIRST + 5, "Red", "Red"},
    {ID_COLOR_FIRST + 6, "Olive", "Olive"},
    {ID_COLOR_FIRST + 7, "Yellow", "Yellow"},
    {ID_COLOR_FIRST + 8, "Green", "Green"},
    {ID_COLOR_FIRST + 9, "Lime", "Lime"},
    {ID_COLOR_FIRST + 10, "Teal", "Teal"},
    {ID_COLOR_FIRST + 11, "Aqua", "Aqua"},
    {ID_COLOR_FIRST + 12, "Navy", "Navy"},
    {ID_COLOR_FIRST + 13, "Blue", "Blue"},
    {ID_COLOR_FIRST + 14, "Purple", "Purple"},
    {ID_COLOR_LAST, "Fuchsia", "Fuchsia"},
    {ID_COLOR_NONE, "No colour: no contour or no fill", "No colour"},
    {ID_TARGET_CONTOUR, "The colours set the contours", "Contours"},
    {ID_TARGET_REGION, "The colours set the region (fill)", "Region"},
    {ID_TARGET_TEXT, "The colours set the text", "Text"},
    {ID_TEXT_BOLD, "Bold text on or off", "Bold"},
    {ID_TEXT_ITALIC, "Italic text on or off", "Italic"},
    {ID_TEXT_UNDERLINE, "Underlined text on or off", "Underline"},
    {ID_TEXT_STRIKEOUT, "Struck-out text on or off", "Strike out"},
    {ID_JUSTIFY_LEFT, "Text aligned left", "Left"},
    {ID_JUSTIFY_CENTER, "Text centred", "Centre"},
    {ID_JUSTIFY_RIGHT, "Text aligned right", "Right"},
    {ID_FONT_FACE_COMBO, "The font of the text", "Font"},
    {ID_FONT_SIZE_COMBO, "The size of the text in points", "Size"},
    {ID_TARGET_AXES, "The colours set the axes", "Axes"},

    // Isoptics.
    {ID_ISOPTIC_TWO, "Select isoptic, get its 2nd cousin.", "Isoptic-II"},
    {ID_ISOPTIC_THREE, "Select isoptic, get its 3rd cousin (and last).", "Isoptic-III"},
    {ID_ISOPTIC_AXES, "Select isoptic, get its canonicla axis.", "Canonical axes"},
    {ID_ISOPTIC_BISECTORS_AT, "Select point on isoptic, get its bisectors there.", "Bisectors at"},
    {ID_ISOPTIC_TANGENT_AT, "Select point on isoptic, get its tangent there.", "Tangent at"},
    {ID_ISOPTIC_TANGENTS_FROM, "Select point on isoptic, get its tangent to same from there.",
     "Tangents from"},
    {ID_ISOPTIC_ASYMPTOTE, "Select isoptic, get its asymptotic line.", "Asymptotic"},
    {ID_ISOPTIC_MIDDLE_LINE, "Select isoptic, get its middle-line.", "Middle line"},
    {ID_ISOPTIC_FLEXES, "Select isoptic, get its flex-points (3 on a line).", "Flexes"},
    {ID_ISOPTIC_GROUP, "Group operation (in several stages).", "Group operation"},
    {ID_ISOPTIC_INVOLUTION, "Main involution of isoptic (2 stages).", "Main involution"},
    {ID_ISOPTIC_INVERSIONS, "Isoptic preserving inversions (at most 4).", "Other inversions"},
    {ID_ISOPTIC_ANIMATION, "Move point on isoptic and look at angles viewing etc...",
     "Angle animation"},
    {ID_GROUP_BAR_FIRST, "Group operation: first point", "Group operation 1"},
    {ID_GROUP_BAR_SECOND, "Group operation: second point", "Group operation 2"},
    {ID_GROUP_BAR_THIRD, "Group operation: third point", "Group operation 3"},
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
