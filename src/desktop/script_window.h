#pragma once
// The modeless Script window: its buttons, the script edit and the number
// of locus points, over the toolkit-free CScriptWindowModel. One exists at a
// time; the main window opens or activates it.

#include <QWidget>
#include <functional>

#include "dialogs/script_window_model.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace gyr {

class CGestureState;

class ScriptWindow : public QWidget {
    Q_OBJECT
public:
    // changed: run after every button (the main window repaints and
    // refreshes its commands); measure and visibleTopLeft serve "Print".
    ScriptWindow(CGestureState& state, QWidget* parent, std::function<void()> changed,
                 CScriptWindowModel::MeasureFn measure, std::function<PixelPoint()> visibleTopLeft);
    ~ScriptWindow() override;

    CScriptWindowModel& Model() { return m_model; }
    QPlainTextEdit* Edit() const { return m_edit; }
    QPushButton* Button(int id) const;
    QLineEdit* PointsEdit() const { return m_points; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Run(void (ScriptWindow::*action)());
    void Refresh();
    void ShowText(bool caretAtEnd);
    void OnStart();
    void OnStop();
    void OnClear();
    void OnPrint();
    void OnPlay();
    void OnLocus();

    CScriptWindowModel m_model;
    std::function<void()> m_changed;
    CScriptWindowModel::MeasureFn m_measure;
    std::function<PixelPoint()> m_visibleTopLeft;
    QPlainTextEdit* m_edit = nullptr;
    QLineEdit* m_points = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_locus = nullptr;
    QPushButton* m_fromDoc = nullptr;
    bool m_settingText = false;
};

}  // namespace gyr
