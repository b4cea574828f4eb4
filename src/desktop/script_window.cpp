#include "desktop/script_window.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

namespace gyr {

namespace {

// The byte offsets of the model's text as character positions of the edit.
int CharPosition(const std::string& text, std::size_t byte) {
    byte = std::min(byte, text.size());
    return int(QString::fromUtf8(text.data(), qsizetype(byte)).size());
}

}  // namespace

ScriptWindow::ScriptWindow(CGestureState& state, QWidget* parent, std::function<void()> changed,
                           CScriptWindowModel::MeasureFn measure,
                           std::function<PixelPoint()> visibleTopLeft)
    : QWidget(parent, Qt::Tool),
      m_model(state),
      m_changed(std::move(changed)),
      m_measure(std::move(measure)),
      m_visibleTopLeft(std::move(visibleTopLeft)) {
    setWindowTitle("Script");
    setAttribute(Qt::WA_DeleteOnClose);

    m_edit = new QPlainTextEdit(this);
    m_edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    // As in a dialog: Tab goes on to the buttons (blanks separate as well).
    m_edit->setTabChangesFocus(true);
    m_edit->setMinimumSize(460, 260);
    m_edit->installEventFilter(this);

    auto button = [this](const char* text, void (ScriptWindow::*slot)()) {
        auto* b = new QPushButton(text, this);
        connect(b, &QPushButton::clicked, this, [this, slot] { Run(slot); });
        return b;
    };
    m_start = button("Start", &ScriptWindow::OnStart);
    m_stop = button("Stop", &ScriptWindow::OnStop);
    m_clear = button("Clear", &ScriptWindow::OnClear);
    m_print = button("Print", &ScriptWindow::OnPrint);
    m_play = button("PLAY", &ScriptWindow::OnPlay);
    m_play->setDefault(true);
    m_close = new QPushButton("Close", this);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    m_locus = button("Set 20 locus-pts", &ScriptWindow::OnLocus);
    m_fromDoc = new QPushButton("Get from doc", this);
    connect(m_fromDoc, &QPushButton::clicked, this, [this] { m_model.GetFromDocument(); });

    m_points = new QLineEdit("20", this);
    m_points->setMaximumWidth(60);
    connect(m_points, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_model.SetPointsText(text.toStdString());
        Refresh();
    });
    connect(m_edit, &QPlainTextEdit::textChanged, this, [this] {
        if (m_settingText) return;
        m_model.SetText(m_edit->toPlainText().toStdString());
        Refresh();
    });
    m_model.SetRecordListener([this] { ShowText(true); });

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_start, m_stop, m_clear, m_print, m_play, m_close})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* locus = new QHBoxLayout;
    locus->addWidget(new QLabel("Pts:", this));
    locus->addWidget(m_points);
    locus->addWidget(m_locus);
    locus->addStretch();
    locus->addWidget(m_fromDoc);
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_edit, 0, 0);
    grid->addLayout(buttons, 0, 1);
    grid->addLayout(locus, 1, 0, 1, 2);
    // The edit must not start with the focus: leaving it disables Start.
    setTabOrder(m_start, m_stop);
    m_start->setFocus(Qt::OtherFocusReason);
    Refresh();
}

ScriptWindow::~ScriptWindow() {
    m_model.SetRecordListener({});
    m_model.Close();
}

QPushButton* ScriptWindow::Button(int id) const {
    switch (id) {
        case IDC_SCRIPT_START:
            return m_start;
        case IDC_SCRIPT_STOP:
            return m_stop;
        case IDC_SCRIPT_CLEAR:
            return m_clear;
        case IDC_SCRIPT_PRINT:
            return m_print;
        case IDC_SCRIPT_LOCUS:
            return m_locus;
        case IDC_SCRIPT_FROM_DOC:
            return m_fromDoc;
        case 1:  // IDOK
            return m_play;
        case 2:  // IDCANCEL
            return m_close;
        default:
            return nullptr;
    }
}

void ScriptWindow::Run(void (ScriptWindow::*action)()) {
    (this->*action)();
    Refresh();
    if (m_changed) m_changed();
}

void ScriptWindow::ShowText(bool caretAtEnd) {
    const QString text = QString::fromStdString(m_model.Text());
    if (m_edit->toPlainText() != text) {
        m_settingText = true;
        m_edit->setPlainText(text);
        m_settingText = false;
    }
    m_model.TakeTextAppended();
    if (caretAtEnd) {
        m_edit->moveCursor(QTextCursor::End);
        m_edit->ensureCursorVisible();
    }
}

void ScriptWindow::Refresh() {
    const CScriptWindowModel::Enabled& e = m_model.Buttons();
    m_start->setEnabled(e.start);
    m_stop->setEnabled(e.stop);
    m_clear->setEnabled(e.clear);
    m_print->setEnabled(e.print);
    m_play->setEnabled(e.play);
    m_close->setEnabled(e.close);
    m_locus->setText(QString::fromStdString(m_model.LocusCaption()));
    if (auto sel = m_model.TakeSelection()) {
        // The failing statement, selected in the edit.
        const std::string& text = m_model.Text();
        QTextCursor c = m_edit->textCursor();
        c.setPosition(CharPosition(text, sel->first));
        c.setPosition(CharPosition(text, sel->second), QTextCursor::KeepAnchor);
        m_edit->setTextCursor(c);
        m_edit->ensureCursorVisible();
    }
}

void ScriptWindow::OnStart() {
    m_model.Start();
    // Start disables itself: the focus goes to Stop, not to the edit.
    m_stop->setEnabled(true);
    m_stop->setFocus(Qt::OtherFocusReason);
}

void ScriptWindow::OnStop() {
    m_model.Stop();
}

void ScriptWindow::OnClear() {
    m_model.Clear();
    ShowText(false);
}

void ScriptWindow::OnPrint() {
    m_model.Print(m_visibleTopLeft ? m_visibleTopLeft() : PixelPoint{}, m_measure);
}

void ScriptWindow::OnPlay() {
    m_model.SetText(m_edit->toPlainText().toStdString());
    m_model.Play();
}

void ScriptWindow::OnLocus() {
    m_model.SetText(m_edit->toPlainText().toStdString());
    m_model.PlayLocus();
}

bool ScriptWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        // The window losing or gaining activation is no focus change of the
        // edit within the window.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (event->type() == QEvent::FocusIn)
                m_model.EditFocusIn();
            else
                m_model.EditFocusOut();
            Refresh();
            if (m_changed) m_changed();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ScriptWindow::closeEvent(QCloseEvent* event) {
    m_model.Close();
    if (m_changed) m_changed();
    QWidget::closeEvent(event);
}

}  // namespace gyr
