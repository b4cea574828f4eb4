#pragma once
// The numbers the program's tables are keyed by, each named once: tool
// kinds (what a press draws or picks), tool codes (which construction of
// the kind) and command ids (menus, tool bars, keys). The numbers are the
// program's own: menus, status texts and help topics are keyed by them.

namespace gyr {

enum ToolKind : int {
    kToolSelect = 0,
    kToolSegment = 10,
    kToolLine = 20,
    kToolParallelogram = 30,
    kToolAngle = 40,
    kToolTriangle = 50,
    kToolPolygon = 60,
    kToolCircle = 70,
    kToolArc = 80,
    kToolGraph = 90,
    kToolReflect = 201,
    kToolInvert = 702,
    kToolIsoptic = 20000,
    kToolPointMark = 25000,
    kToolText = 30000,
    kToolPictEmf = 31000,
    kToolPictBmp = 31010,
};

// Codes are shared between kinds where the construction is the same idea
// (parallel, orthogonal, tangent at, tangents from).
enum ToolCode : int {
    kCodeAngleAnimation = 40,
    kCodeRatio = 101,
    kCodeCommonTangents = 102,
    kCodeCross = 103,
    kCodeQuadrilateral = 104,
    kCodeDivideInParts = 105,
    kCodeMiddleOrthogonal = 202,
    kCodeTrapezium = 301,
    kCodeDivideAngle = 401,
    kCodeFixedAngle = 451,
    kCodeMedians = 501,
    kCodeBisectors = 502,
    kCodeHeights = 503,
    kCodeEnclosingCircle = 504,
    kCodeInscribedCircles = 505,
    kCodeEulerCircle = 506,
    kCodeEulerLine = 507,
    kCodeApollonianCircle = 701,
    kCodeTangentCentred = 703,
    kCodeTangentAt = 704,
    kCodeTangentThrough2 = 705,
    kCodeTangentTo2Through1 = 706,
    kCodeTangentTo3 = 707,
    kCodeOrthogonalCentred = 708,
    kCodeOrthogonalTo2Through1 = 709,
    kCodeOrthogonalThrough2 = 710,
    kCodeRadicalAxis = 711,
    kCodeInversionInterchanging = 712,
    kCodeThreePoints = 713,
    kCodeHalfCircleArc = 801,
    kCodeArcOnAngle = 802,
    kCodeHyperbolicLine = 803,
    kCodeHyperbolicSegment = 804,
    kCodeHyperbolicNext = 805,
    kCodePlain = 10000,
    kCodeParallel = 10010,  // also the screen parallelogram
    kCodeOrthogonal = 10030,
    kCodeRhomb = 10050,
    kCodeIsopticSingular = 20020,
    kCodeIsopticSegments = 20030,
    kCodeIsopticAngle = 20040,
    kCodeIsopticTwo = 20101,
    kCodeIsopticThree = 20102,
    kCodeCanonicalAxes = 20501,
    kCodeAsymptote = 20502,
    kCodeMiddleLine = 20503,
    kCodeFlexes = 20504,
    kCodeIsopticTangentsFrom = 20505,
    kCodeIsopticBisectors = 20506,
    kCodeGroupOperation = 21010,
    kCodeMainInvolution = 21020,
    kCodeTangentsFrom = 21050,
    kCodeOtherInversions = 21060,
    kCodeViewingSegment = 26000,
};

enum CommandId : int {
    // Tool bars.
    ID_VIEW_FONT_BAR = 102,
    ID_VIEW_LINE_BAR = 141,
    ID_VIEW_COLOR_BAR = 143,
    ID_VIEW_GROUP_BAR = 144,
    ID_TEXT_BOLD = 399,
    ID_TEXT_ITALIC = 400,
    ID_TEXT_UNDERLINE = 401,
    ID_TEXT_STRIKEOUT = 402,
    ID_JUSTIFY_LEFT = 403,
    ID_JUSTIFY_CENTER = 404,
    ID_JUSTIFY_RIGHT = 405,
    // The font bar's two combo boxes (controls, not commands).
    ID_FONT_FACE_COMBO = 500,
    ID_FONT_SIZE_COMBO = 501,

    // The main tool bar.
    ID_SELECT_TOOL = 32701,
    ID_SEGMENTS_TOOL = 32702,
    ID_LINE_TOOL = 32703,
    ID_PARALLELOGRAMS_TOOL = 32704,
    ID_ANGLES_TOOL = 32705,
    ID_TRIANGLES_TOOL = 32706,
    ID_CIRCLES_TOOL = 32707,
    ID_POLYGONS_TOOL = 32708,
    ID_TEXT_BOX_TOOL = 32709,
    ID_ORTHOGONAL_TOOL = 32710,
    ID_CROSS_TOOL = 32711,
    ID_TANGENTS_FROM_TOOL = 32712,
    ID_TANGENT_2_POINTS_TOOL = 32713,
    ID_CIRCLE_TANGENT_TOOL = 32714,
    ID_ENCLOSING_CIRCLE_TOOL = 32715,
    ID_ANGLE_DIVISION_TOOL = 32716,
    ID_REFLECT_TOOL = 32717,
    ID_INVERT_TOOL = 32718,

    // The line tool bar.
    ID_WIDTH_1 = 32721,  // .. ID_WIDTH_6, one pixel more each
    ID_WIDTH_6 = 32726,
    ID_WIDTH_USER = 32730,
    ID_STYLE_SOLID = 32741,  // .. ID_STYLE_DASHDOTDOT in pen-style order
    ID_STYLE_DASHDOTDOT = 32745,

    // Drawing menu.
    ID_DRAW_SELECT = 32751,
    ID_DRAW_POLYGONS = 32752,
    ID_DRAW_POINTS = 32753,
    ID_DRAW_GRAPH = 32754,
    ID_DRAW_TEXT = 32755,
    ID_DRAW_PICT_BMP = 32756,
    ID_DRAW_PICT_EMF = 32757,
    ID_IMPORT_PICTURE = 32758,
    ID_EXPORT_PICTURE = 32759,
    ID_EXERCISES = 32760,
    ID_HELP_THEORY = 32761,
    ID_DRAWING_PARAMS = 32782,
    ID_DRAWING_SHEET = 32783,
    ID_DELETE_POINT_MARKS = 32784,
    ID_POINT_MARK = 32785,
    ID_LOGO_FRAME = 32786,

    // The colour tool bar.
    ID_COLOR_FIRST = 32792,  // .. ID_COLOR_LAST, the sixteen palette colours
    ID_COLOR_LAST = 32807,
    ID_COLOR_NONE = 32808,
    ID_MATCH_POINTS_ALT = 32812,

    // Isoptics menu.
    ID_ISOPTIC_ABCD = 32851,
    ID_ISOPTIC_SEGMENTS = 32852,
    ID_ISOPTIC_ANGLE = 32853,
    ID_ISOPTIC_SINGULAR = 32854,
    ID_ISOPTIC_CONSTANTS = 32855,
    ID_ISOPTIC_TWO = 32856,
    ID_ISOPTIC_THREE = 32857,
    ID_ISOPTIC_AXES = 32858,
    ID_HALF_COMPONENT_PTS = 32859,
    ID_ISOPTIC_ASYMPTOTE = 32860,
    ID_ISOPTIC_MIDDLE_LINE = 32861,
    ID_ISOPTIC_FLEXES = 32862,
    ID_ISOPTIC_GROUP = 32863,
    ID_ISOPTIC_INVOLUTION = 32864,
    ID_ISOPTIC_INVERSIONS = 32865,
    ID_ISOPTIC_ANIMATION = 32866,

    ID_MATCH_POINTS = 32880,
    ID_MAKE_FIRST = 32881,
    ID_MAKE_LAST = 32882,

    // Parallelograms menu.
    ID_PARALLELOGRAM_GENERAL = 32901,
    ID_PARALLELOGRAM_SCREEN = 32902,
    ID_PARALLELOGRAM_RHOMB = 32903,
    ID_PARALLELOGRAM_TRAPEZIUM = 32904,

    ID_TARGET_CONTOUR = 32920,
    ID_TARGET_REGION = 32921,
    ID_TARGET_TEXT = 32922,
    ID_TARGET_AXES = 32923,

    // Edit menu and main tool bar.
    ID_INTERSECTION = 32951,
    ID_DUPLICATE = 32952,
    ID_ROTATE = 32953,
    ID_HOMOTHETY = 32954,
    // The group operation bar.
    ID_GROUP_BAR_FIRST = 32959,
    ID_GROUP_BAR_SECOND = 32960,
    ID_GROUP_BAR_THIRD = 32961,
    ID_SHOW_SCRIPT = 32971,

    // Circles menu.
    ID_CIRCLE_GENERAL = 33001,
    ID_CIRCLE_TANGENT_CENTRED = 33002,
    ID_CIRCLE_TANGENT_AT = 33003,
    ID_CIRCLE_TANGENT_THROUGH_2 = 33004,
    ID_CIRCLE_TANGENT_2_THROUGH_1 = 33005,
    ID_CIRCLE_TANGENT_3 = 33006,
    ID_CIRCLE_ORTHOGONAL_CENTRED = 33007,
    ID_CIRCLE_ORTHOGONAL_2_THROUGH_1 = 33008,
    ID_CIRCLE_ORTHOGONAL_THROUGH_2 = 33009,
    ID_CIRCLE_RADICAL_AXIS = 33010,
    ID_CIRCLE_INVERSION_INTERCHANGING = 33011,
    ID_CIRCLE_APOLLONIAN = 33012,
    ID_CIRCLE_THREE_POINTS = 33013,

    // Segments menu.
    ID_SEGMENT_SIMPLE = 33026,
    ID_SEGMENT_CROSS = 33027,
    ID_SEGMENT_RATIO = 33028,
    ID_SEGMENT_PARALLEL = 33029,
    ID_SEGMENT_ORTHOGONAL = 33030,
    ID_SEGMENT_TANGENTS = 33031,
    ID_SEGMENT_TANGENT_AT = 33032,
    ID_SEGMENT_COMMON_TANGENTS = 33033,
    ID_SEGMENT_QUADRILATERAL = 33034,
    ID_SEGMENT_DIVIDE = 33035,

    // Angles menu.
    ID_ANGLE_FROM_SIDE = 33051,
    ID_ANGLE_VIEWING = 33052,
    ID_ANGLE_FIXED = 33053,
    ID_ANGLE_FIXED_DIALOG = 33054,
    ID_ANGLE_DIVIDE = 33055,

    // Lines menu.
    ID_LINE_SIMPLE = 33101,
    ID_LINE_ORTHOGONAL = 33102,
    ID_LINE_PARALLEL = 33103,
    ID_LINE_MIDDLE_ORTHOGONAL = 33104,
    ID_LINE_TANGENT_AT = 33105,
    ID_LINE_TANGENTS = 33106,
    ID_LINE_COMMON_TANGENTS = 33107,

    // Triangles menu.
    ID_TRIANGLE_GENERAL = 33151,
    ID_TRIANGLE_DIALOG = 33152,
    ID_TRIANGLE_MEDIANS = 33153,
    ID_TRIANGLE_HEIGHTS = 33154,
    ID_TRIANGLE_BISECTORS = 33155,
    ID_TRIANGLE_EULER_CIRCLE = 33156,
    ID_TRIANGLE_EULER_LINE = 33157,
    ID_TRIANGLE_INSCRIBED = 33158,
    ID_TRIANGLE_ENCLOSING = 33159,

    // Circular arcs menu.
    ID_ARC_SIMPLE = 33201,
    ID_ARC_180 = 33202,
    ID_ARC_ON_ANGLE = 33203,
    ID_ARC_H_LINE = 33204,
    ID_ARC_H_SEGMENT = 33205,
    ID_ARC_H_NEXT = 33206,
    ID_ARC_H_ORTHOGONAL = 33207,

    // Isoptics, Tangents-Bisectors.
    ID_ISOPTIC_BISECTORS_AT = 33301,
    ID_ISOPTIC_TANGENT_AT = 33302,
    ID_ISOPTIC_TANGENTS_FROM = 33303,

    // Status bar panes.
    ID_INDICATOR_X = 33401,
    ID_INDICATOR_Y = 33402,

    // The standard commands of the frame.
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FIRST = 57616,  // .. ID_FILE_MRU_LAST, nine entries
    ID_FILE_MRU_LAST = 57624,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_SELECT_ALL = 57642,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_INDEX = 57666,
    ID_HELP_FINDER = 57667,  // Help Topics
    ID_HELP = 57670,         // F1
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

}  // namespace gyr
