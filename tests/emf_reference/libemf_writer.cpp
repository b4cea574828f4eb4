// A metafile written by an independent library (libEMF), for our player's
// test: lines, polylines, polygons, Béziers, an ellipse, an arc, a rectangle,
// text with a font, a filled and stroked path, a world transform, window and
// viewport mapping, each at a place the test knows. (This libEMF writes no
// record for StretchDIBits; bitmap records are tested with our own files.) Its own
// executable: the library's Win32-style headers never meet ours.

#include <libEMF/emf.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    FILE* fp = std::fopen(argv[1], "wb");
    if (!fp) return 1;
    RECT frame = {0, 0, 20000, 15000};  // hundredths of a millimetre
    HDC dc = CreateEnhMetaFileWithFILEA(0, fp, &frame, "libEMF\0sample\0");
    if (!dc) return 1;

    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 128));
    SelectObject(dc, pen);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(dc, red);

    MoveToEx(dc, 10, 10, 0);
    LineTo(dc, 100, 10);
    POINT line[] = {{10, 20}, {50, 60}, {90, 20}};
    Polyline(dc, line, 3);
    POINT tri[] = {{120, 20}, {160, 20}, {140, 60}};
    Polygon(dc, tri, 3);
    POINT bez[] = {{10, 100}, {40, 60}, {70, 140}, {100, 100}};
    PolyBezier(dc, bez, 4);
    Ellipse(dc, 200, 20, 260, 60);
    Arc(dc, 200, 80, 260, 140, 260, 110, 230, 80);
    Rectangle(dc, 300, 20, 340, 60);

    LOGFONTW lf = {};
    lf.lfHeight = -20;
    lf.lfWeight = 700;
    const wchar_t face[] = L"Serif";
    for (int i = 0; face[i]; ++i) lf.lfFaceName[i] = WCHAR(face[i]);
    HFONT font = CreateFontIndirectW(&lf);
    SelectObject(dc, font);
    const WCHAR text[] = {'G', 'y', 'r', 0};
    TextOutW(dc, 10, 200, text, 3);

    BeginPath(dc);
    MoveToEx(dc, 300, 100, 0);
    LineTo(dc, 340, 100);
    LineTo(dc, 320, 140);
    CloseFigure(dc);
    EndPath(dc);
    StrokeAndFillPath(dc);

    XFORM shift = {1, 0, 0, 1, 400, 0};
    SetWorldTransform(dc, &shift);
    Rectangle(dc, 0, 200, 20, 220);
    XFORM identity = {1, 0, 0, 1, 0, 0};
    ModifyWorldTransform(dc, &identity, MWT_IDENTITY);

    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 1000, 1000, 0);
    SetViewportExtEx(dc, 100, 100, 0);
    Rectangle(dc, 5000, 3000, 6000, 4000);
    SetMapMode(dc, MM_TEXT);

    HENHMETAFILE mf = CloseEnhMetaFile(dc);
    // Closing the metafile closed the file too.
    DeleteEnhMetaFile(mf);
    return 0;
}
