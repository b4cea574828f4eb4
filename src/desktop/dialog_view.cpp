#include "desktop/dialog_view.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "port/host.h"

namespace gyr {

namespace {

QString Q(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// A form of more rows than this is shown as two forms side by side.
constexpr int kMaxRowsPerColumn = 10;
// The widest a free-text field grows to show its text, in pixels.
constexpr int kMaxTextWidth = 420;

bool IsEdit(const DialogField& f) {
    return f.kind == FieldKind::Int || f.kind == FieldKind::Double || f.kind == FieldKind::Text;
}

QFormLayout* NewForm() {
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    return form;
}

}  // namespace

DialogView::DialogView(DialogModel& model, Host& host, QWidget* parent)
    : QDialog(parent), m_model(model), m_host(host) {
    setWindowTitle(Q(model.Title()));
    Build();
    Refresh();
}

const DialogView::Widgets* DialogView::Find(int id) const {
    const auto& fields = m_model.Fields();
    for (std::size_t i = 0; i < fields.size() && i < m_widgets.size(); ++i)
        if (fields[i].id == id) return &m_widgets[i];
    return nullptr;
}

QWidget* DialogView::FieldWidget(int id) const {
    const Widgets* w = Find(id);
    if (!w) return nullptr;
    if (w->edit) return w->edit;
    if (w->list) return w->list;
    return w->button;
}

QLabel* DialogView::FieldLabel(int id) const {
    const Widgets* w = Find(id);
    return w ? w->label : nullptr;
}

QPushButton* DialogView::OkButton() const {
    return m_buttons->button(QDialogButtonBox::Ok);
}

void DialogView::Build() {
    std::vector<DialogField>& fields = m_model.Fields();
    m_widgets.assign(fields.size(), {});

    // A radio group is captioned by the label field of the same group.
    std::map<int, std::string> captions;
    std::map<int, int> radioCount;
    for (const auto& f : fields) {
        if (f.kind == FieldKind::Radio) ++radioCount[f.group];
        if (f.kind == FieldKind::Label && f.group != 0) captions[f.group] = f.label;
    }

    // A label is shown as a row of its own unless it captions a radio group
    // or repeats the caption of the edit that follows it.
    auto ownRow = [&](std::size_t i) {
        const DialogField& f = fields[i];
        if (f.kind != FieldKind::Label) return IsEdit(f);
        if (f.group != 0 && radioCount.count(f.group)) return false;
        return !(i + 1 < fields.size() && IsEdit(fields[i + 1]) && fields[i + 1].label == f.label);
    };

    // Edits and free labels form the left column; radio groups and check
    // boxes the right one; push buttons stack under the form.
    int formRows = 0;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (ownRow(i)) ++formRows;
    const bool hasSide = std::any_of(fields.begin(), fields.end(), [](const DialogField& f) {
        return f.kind == FieldKind::Radio || f.kind == FieldKind::Check;
    });
    const int perColumn = !hasSide && formRows > kMaxRowsPerColumn ? (formRows + 1) / 2 : formRows;

    auto* columns = new QHBoxLayout;
    columns->setSpacing(18);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    auto* buttonStack = new QVBoxLayout;
    QFormLayout* form = NewForm();
    left->addLayout(form);
    columns->addLayout(left);
    int rowsInForm = 0;
    std::map<int, QVBoxLayout*> groupBoxes;
    QVBoxLayout* checkBox = nullptr;
    std::vector<QWidget*> tabOrder;

    for (std::size_t i = 0; i < fields.size(); ++i) {
        const DialogField& f = fields[i];
        const int id = f.id;
        Widgets& w = m_widgets[i];
        if (IsEdit(f) || f.kind == FieldKind::Label) {
            if (!ownRow(i)) continue;
            if (rowsInForm == perColumn && perColumn > 0) {
                // Start the second column of a long form.
                form = NewForm();
                auto* second = new QVBoxLayout;
                second->addLayout(form);
                second->addStretch(1);
                columns->addLayout(second);
                rowsInForm = 0;
            }
            ++rowsInForm;
            if (f.kind == FieldKind::Label) {
                w.label = new QLabel(Q(f.label));
                w.label->setWordWrap(true);
                form->addRow(w.label);
                continue;
            }
            w.edit = new QLineEdit(Q(f.text));
            // Wide enough for a number; free text (a formula) gets room
            // for what it holds, within reason.
            const QFontMetrics metrics = w.edit->fontMetrics();
            int width = std::max(metrics.horizontalAdvance("-00000.000000"),
                                 metrics.horizontalAdvance(QString(f.minChars, QChar('x'))));
            if (f.kind == FieldKind::Text)
                width = std::clamp(metrics.horizontalAdvance(Q(f.text)), width,
                                   std::max(width, kMaxTextWidth));
            w.edit->setMinimumWidth(width + 12);
            connect(w.edit, &QLineEdit::textEdited, this,
                    [this, id](const QString& text) { Edited(id, text); });
            if (f.label.empty()) {
                form->addRow(w.edit);
            } else {
                w.label = new QLabel(Q(f.label));
                w.label->setBuddy(w.edit);
                form->addRow(w.label, w.edit);
            }
            tabOrder.push_back(w.edit);
        } else if (f.kind == FieldKind::Radio) {
            QVBoxLayout*& box = groupBoxes[f.group];
            if (!box) {
                auto* group = new QGroupBox(Q(captions[f.group]));
                box = new QVBoxLayout(group);
                right->addWidget(group);
                m_groups[f.group] = new QButtonGroup(this);
            }
            auto* radio = new QRadioButton(Q(f.label));
            m_groups[f.group]->addButton(radio);
            box->addWidget(radio);
            connect(radio, &QAbstractButton::clicked, this, [this, id] { Toggled(id, true); });
            w.button = radio;
            tabOrder.push_back(radio);
        } else if (f.kind == FieldKind::Check) {
            // Neighbouring check boxes share one frame, in line with the
            // radio groups beside them.
            if (!checkBox || i == 0 || fields[i - 1].kind != FieldKind::Check) {
                auto* frame = new QGroupBox;
                checkBox = new QVBoxLayout(frame);
                right->addWidget(frame);
            }
            auto* check = new QCheckBox(Q(f.label));
            checkBox->addWidget(check);
            connect(check, &QAbstractButton::clicked, this,
                    [this, id](bool on) { Toggled(id, on); });
            w.button = check;
            tabOrder.push_back(check);
        } else if (f.kind == FieldKind::List) {
            // The list heads the dialog, scrolled sideways for long lines.
            w.list = new QListWidget;
            w.list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            w.list->setMinimumSize(std::min(f.extent > 0 ? f.extent : 420, 460), 260);
            connect(w.list, &QListWidget::currentRowChanged, this, [this, id](int row) {
                if (m_refreshing) return;
                m_model.SelectItem(id, row);
                Refresh();
            });
            left->insertWidget(0, w.list);
            tabOrder.insert(tabOrder.begin(), w.list);
        } else if (f.kind == FieldKind::Spin) {
            // Two arrows, each click one step up or down.
            auto* row = new QHBoxLayout;
            for (int steps : {1, -1}) {
                auto* arrow = new QToolButton;
                arrow->setArrowType(steps > 0 ? Qt::UpArrow : Qt::DownArrow);
                arrow->setAutoRepeat(true);
                arrow->setObjectName(steps > 0 ? "spinUp" : "spinDown");
                connect(arrow, &QToolButton::clicked, this, [this, id, steps] {
                    if (m_refreshing) return;
                    m_model.SpinBy(id, steps);
                    Refresh();
                });
                row->addWidget(arrow);
                if (!w.button) w.button = arrow;
            }
            row->addStretch(1);
            buttonStack->addLayout(row);
        } else if (f.kind == FieldKind::Button) {
            auto* button = new QPushButton(Q(f.label));
            button->setAutoDefault(false);
            button->installEventFilter(this);
            buttonStack->addWidget(button);
            connect(button, &QAbstractButton::clicked, this, [this, id] { Pressed(id); });
            w.button = button;
            tabOrder.push_back(button);
        }
    }
    if (buttonStack->count() > 0) {
        left->addSpacing(8);
        left->addLayout(buttonStack);
    } else {
        delete buttonStack;
    }
    left->addStretch(1);
    if (right->count() > 0) {
        right->addStretch(1);
        // The column of the first field comes first, so that Tab reads the
        // dialog from left to right.
        const bool sideFirst = !fields.empty() && (fields.front().kind == FieldKind::Radio ||
                                                   fields.front().kind == FieldKind::Check);
        columns->insertLayout(sideFirst ? 0 : columns->count(), right);
    } else {
        delete right;
    }

    m_buttons = new QDialogButtonBox(
        m_model.OkOnly() ? QDialogButtonBox::Ok : QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &DialogView::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &DialogView::reject);
    tabOrder.push_back(OkButton());
    if (QPushButton* cancel = m_buttons->button(QDialogButtonBox::Cancel))
        tabOrder.push_back(cancel);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(columns);
    outer->addSpacing(6);
    outer->addWidget(m_buttons);
    // Like the platform's dialogs: laid out once, not resizable.
    outer->setSizeConstraint(QLayout::SetFixedSize);

    for (std::size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);

    // The field that asks to open selected gets the focus, else the first.
    QWidget* first = tabOrder.empty() ? nullptr : tabOrder.front();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].selectAll && m_widgets[i].edit) {
            first = m_widgets[i].edit;
            m_widgets[i].edit->selectAll();
            break;
        }
    }
    if (first) first->setFocus(Qt::OtherFocusReason);
}

void DialogView::Refresh() {
    m_refreshing = true;
    setWindowTitle(Q(m_model.Title()));
    for (auto& [group, buttons] : m_groups) buttons->setExclusive(false);
    const std::vector<DialogField>& fields = m_model.Fields();
    for (std::size_t i = 0; i < fields.size() && i < m_widgets.size(); ++i) {
        const DialogField& f = fields[i];
        Widgets& w = m_widgets[i];
        if (w.edit && w.edit->text() != Q(f.text)) w.edit->setText(Q(f.text));
        if (w.label && w.label->text() != Q(f.label)) w.label->setText(Q(f.label));
        if (w.button && (f.kind == FieldKind::Check || f.kind == FieldKind::Radio))
            w.button->setChecked(f.checked);
        if (w.list) {
            QStringList items;
            for (const std::string& line : f.items) items << Q(line);
            bool same = w.list->count() == items.size();
            for (int r = 0; same && r < items.size(); ++r)
                same = w.list->item(r)->text() == items[r];
            if (!same) {
                w.list->clear();
                w.list->addItems(items);
            }
            if (w.list->currentRow() != f.selected) w.list->setCurrentRow(f.selected);
        }
    }
    for (auto& [group, buttons] : m_groups) buttons->setExclusive(true);
    m_refreshing = false;
}

void DialogView::Edited(int id, const QString& text) {
    if (m_refreshing) return;
    m_model.Type(id, text.toStdString());
    Refresh();
}

void DialogView::Toggled(int id, bool on) {
    if (m_refreshing) return;
    m_model.Check(id, on);
    Refresh();
}

void DialogView::Pressed(int id) {
    if (m_refreshing) return;
    const Qt::KeyboardModifiers mods =
        m_clickModifiers.value_or(QGuiApplication::keyboardModifiers());
    m_clickModifiers.reset();
    m_model.Press(id, mods.testFlag(Qt::ControlModifier));
    Refresh();
}

bool DialogView::eventFilter(QObject* watched, QEvent* event) {
    // A push button clicks on the release of the mouse or of the space key;
    // the modifiers of that event tell whether Ctrl was held.
    switch (event->type()) {
        case QEvent::MouseButtonRelease:
            m_clickModifiers = static_cast<QMouseEvent*>(event)->modifiers();
            break;
        case QEvent::KeyRelease:
            m_clickModifiers = static_cast<QKeyEvent*>(event)->modifiers();
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

void DialogView::accept() {
    const bool ok = m_model.Ok(m_host);
    Refresh();
    if (ok) {
        QDialog::accept();
        return;
    }
    if (const Widgets* w = Find(m_model.RefusedField())) {
        if (w->edit) {
            w->edit->setFocus(Qt::OtherFocusReason);
            w->edit->selectAll();
        } else if (w->button) {
            w->button->setFocus(Qt::OtherFocusReason);
        }
    }
}

}  // namespace gyr
