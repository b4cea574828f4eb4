#pragma once
// A Qt dialog over any core DialogModel. The model is the truth: every edit,
// toggle or button press goes into the model and runs its live rule, and all
// widgets are then rewritten from the model. OK asks the model, which reports
// range refusals through the Host and keeps the dialog open.

#include <QDialog>
#include <map>
#include <optional>
#include <vector>

#include "port/dialog_model.h"

class QAbstractButton;
class QButtonGroup;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace gyr {

class Host;

class DialogView : public QDialog {
    Q_OBJECT
public:
    DialogView(DialogModel& model, Host& host, QWidget* parent = nullptr);

    DialogModel& Model() { return m_model; }
    // The edit, check box, radio or push button of a field; null for labels.
    QWidget* FieldWidget(int id) const;
    // The caption shown beside an edit field, or a free label's own widget.
    QLabel* FieldLabel(int id) const;
    QPushButton* OkButton() const;

    // Rewrites every widget from the model.
    void Refresh();

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Widgets {
        QLabel* label = nullptr;
        QLineEdit* edit = nullptr;
        QAbstractButton* button = nullptr;
        QListWidget* list = nullptr;
    };

    void Build();
    const Widgets* Find(int id) const;
    void Edited(int id, const QString& text);
    void Toggled(int id, bool on);
    void Pressed(int id);

    DialogModel& m_model;
    Host& m_host;
    // Parallel to the model's fields, whose set is fixed once built.
    std::vector<Widgets> m_widgets;
    std::map<int, QButtonGroup*> m_groups;
    QDialogButtonBox* m_buttons = nullptr;
    // Rewriting widgets must not feed back into the model.
    bool m_refreshing = false;
    // Modifiers of the event that is about to click a push button.
    std::optional<Qt::KeyboardModifiers> m_clickModifiers;
};

}  // namespace gyr
