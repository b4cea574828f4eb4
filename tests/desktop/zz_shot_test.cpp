#include <gtest/gtest.h>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QMenuBar>
#include "desktop/main_window.h"
#include "desktop/qt_host.h"
#include "desktop/sheet_view.h"
#include "doc/document.h"
#include "ui/sheet_mapping.h"
#include "ui/tool_registry.h"
namespace gyr {
TEST(ZZShot, Grab) {
    QtHost host; SetHost(&host); RegisterTools();
    CGyrDoc doc; CGyrView view(&doc); doc.AddView(&view); host.SetActive(&doc,&view);
    doc.OnNewDocument();
    {
    MainWindow w(doc, view); host.SetWindow(&w); host.SetSheetView(w.Sheet());
    w.resize(1300, 900);
    w.show(); QApplication::processEvents(); QApplication::processEvents();
    w.RunCommand(32702);
    auto send=[&](QEvent::Type t, CWorldPoint p, Qt::MouseButton b, Qt::MouseButtons bs){
        PixelPoint px=WorldToPixel(p); QPointF at(px.x,px.y);
        QMouseEvent e(t, at, w.Sheet()->mapToGlobal(at), b, bs, Qt::NoModifier); QApplication::sendEvent(w.Sheet(), &e);};
    send(QEvent::MouseButtonPress,{-3,-2},Qt::LeftButton,Qt::LeftButton);
    send(QEvent::MouseMove,{2,3},Qt::NoButton,Qt::LeftButton);
    send(QEvent::MouseButtonRelease,{2,3},Qt::LeftButton,Qt::NoButton);
    w.RunCommand(33001);
    send(QEvent::MouseButtonPress,{1,-1},Qt::LeftButton,Qt::LeftButton);
    send(QEvent::MouseMove,{3,-1},Qt::NoButton,Qt::LeftButton);
    send(QEvent::MouseButtonRelease,{3,-1},Qt::LeftButton,Qt::NoButton);
    QApplication::processEvents();
    w.grab().save("/tmp/shot_main.png");
    QMenu* m = w.TopMenu(3); m->popup(QPoint(100,100)); QApplication::processEvents();
    m->grab().save("/tmp/shot_drawing.png");
    QMenu* circles=nullptr; for (QAction* a: m->actions()) if (a->menu() && a->text()=="&Circles") circles=a->menu();
    if (circles) { circles->popup(QPoint(100,100)); QApplication::processEvents(); circles->grab().save("/tmp/shot_circles.png"); circles->hide(); }
    m->hide();
    QMenu* f = w.TopMenu(0); f->popup(QPoint(10,10)); QApplication::processEvents(); f->grab().save("/tmp/shot_file.png"); f->hide();
    QMenu* e = w.TopMenu(1); e->popup(QPoint(10,10)); QApplication::processEvents(); e->grab().save("/tmp/shot_edit.png"); e->hide();
    doc.SetModifiedFlag(false);
    host.SetSheetView(nullptr); host.SetWindow(nullptr);
    }
    doc.RemoveView(&view); SetHost(nullptr);
}
}
