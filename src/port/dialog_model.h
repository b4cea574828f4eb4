#pragma once
// A dialog's fields and rules, free of any toolkit. The desktop shows a model
// as a Qt dialog; tests drive it through ScriptedHost. Field texts are what the
// user sees and types; numbers are read back when OK is pressed.

#include <string>
#include <vector>

namespace gyr {

class Host;

// List: lines to choose one of (items, selected); Spin: arrows that step
// by whole clicks, with no value of their own shown.
enum class FieldKind { Int, Double, Text, Check, Radio, Button, Label, List, Spin };

struct DialogField {
    int id = 0;
    std::string label;  // with its & mnemonic
    FieldKind kind = FieldKind::Text;
    std::string text;      // Int, Double, Text
    bool checked = false;  // Check, Radio
    int group = 0;         // Radio: buttons of one group share it
    bool ranged = false;   // Int/Double: checked against [min, max] on OK
    double min = 0;
    double max = 0;
    bool selectAll = false;  // open with the text selected
    int minChars = 0;        // Text: room for at least this many characters
    std::vector<std::string> items;  // List: its lines
    int selected = -1;               // List: the chosen line, -1 none
    int extent = 0;                  // List: horizontal extent in pixels
};

// The field kinds as the dialogs declare them; numbers are shown as the
// dialogs write them ("%d", "%f").
DialogField PlainField(int id, std::string label, FieldKind kind, std::string text = {});
DialogField IntField(int id, std::string label, long long value, double min, double max);
DialogField DoubleField(int id, std::string label, double value);
DialogField DoubleField(int id, std::string label, double value, double min, double max);

// The largest length or coordinate a dialog accepts: beyond it, figures no
// longer fit the drawing's precision.
constexpr double kMaxDialogLength = 1e6;

class DialogModel {
public:
    virtual ~DialogModel() = default;

    const std::string& Title() const { return m_title; }
    std::vector<DialogField>& Fields() { return m_fields; }
    DialogField* Find(int id);
    const DialogField* Find(int id) const;

    // Set a field's text or check state the way the user does; the model's
    // live rules run afterwards.
    void Type(int id, const std::string& text);
    void Check(int id, bool on);
    void Press(int id, bool ctrl = false);
    // Chooses a line of a List field; clicks a Spin field by steps (+1 up,
    // -1 down per click).
    void SelectItem(int id, int index);
    void SpinBy(int id, int steps);

    // Live rules: called after the user changed a field, pressed a button.
    virtual void OnFieldChanged(int id) { (void)id; }
    virtual void OnButton(int id, bool ctrl) { (void)id, (void)ctrl; }
    virtual void OnSpin(int id, int steps) { (void)id, (void)steps; }
    // A dialog that acts as it goes has OK alone, no Cancel.
    bool OkOnly() const { return m_okOnly; }

    // OK: checks every ranged or numeric field in order; the first refusal
    // is reported through the host with the platform's range message and the
    // dialog stays open (false). Then Accept() decides.
    bool Ok(Host& host);
    // Extra acceptance rules and storing the values. False keeps it open.
    virtual bool Accept(Host& host) = 0;

    // The id of the field that the last refused OK pointed at (focus).
    int RefusedField() const { return m_refused; }

    // Parsing as the dialogs read numbers back: stream extraction of the
    // leading number, trailing text ignored.
    static bool ReadInt(const std::string& text, long long& out);
    static bool ReadDouble(const std::string& text, double& out);
    static std::string FormatDouble(double v);  // FormatNumber(v, 6): "%f"
    // "%.*f" with the given decimals, unless that shows more than 10
    // significant digits: then "%.10g", so that no field grows to hundreds
    // of digits.
    static std::string FormatNumber(double v, int decimals);
    int IntOf(int id) const;
    double DoubleOf(int id) const;
    void SetInt(int id, long long v);
    void SetDouble(int id, double v);

protected:
    DialogField& Add(DialogField f);
    // Refuses field id with the standard range message of a number between
    // min and max; always false, for the caller to return.
    bool RefuseRange(Host& host, int id, double min, double max);

    std::string m_title;
    std::vector<DialogField> m_fields;
    int m_refused = 0;
    bool m_okOnly = false;
};

}  // namespace gyr
