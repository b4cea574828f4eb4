#include "port/dialog_model.h"

#include <cstdio>
#include <sstream>

#include "port/host.h"

namespace gyr {

namespace {

std::string FormatBound(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

std::string Replace(std::string s, const std::string& key, const std::string& value) {
    auto pos = s.find(key);
    if (pos != std::string::npos) s.replace(pos, key.size(), value);
    return s;
}

}  // namespace

DialogField PlainField(int id, std::string label, FieldKind kind, std::string text) {
    DialogField f;
    f.id = id;
    f.label = std::move(label);
    f.kind = kind;
    f.text = std::move(text);
    return f;
}

DialogField IntField(int id, std::string label, long long value, double min, double max) {
    DialogField f = PlainField(id, std::move(label), FieldKind::Int, std::to_string(value));
    f.ranged = true;
    f.min = min;
    f.max = max;
    return f;
}

DialogField DoubleField(int id, std::string label, double value) {
    return PlainField(id, std::move(label), FieldKind::Double, DialogModel::FormatDouble(value));
}

DialogField DoubleField(int id, std::string label, double value, double min, double max) {
    DialogField f = DoubleField(id, std::move(label), value);
    f.ranged = true;
    f.min = min;
    f.max = max;
    return f;
}

DialogField* DialogModel::Find(int id) {
    for (auto& f : m_fields)
        if (f.id == id) return &f;
    return nullptr;
}

const DialogField* DialogModel::Find(int id) const {
    for (auto& f : m_fields)
        if (f.id == id) return &f;
    return nullptr;
}

DialogField& DialogModel::Add(DialogField f) {
    m_fields.push_back(std::move(f));
    return m_fields.back();
}

void DialogModel::Type(int id, const std::string& text) {
    if (auto* f = Find(id)) {
        f->text = text;
        OnFieldChanged(id);
    }
}

void DialogModel::Check(int id, bool on) {
    auto* f = Find(id);
    if (!f) return;
    if (f->kind == FieldKind::Radio && on) {
        for (auto& g : m_fields)
            if (g.kind == FieldKind::Radio && g.group == f->group) g.checked = false;
    }
    f->checked = on;
    OnFieldChanged(id);
}

void DialogModel::Press(int id, bool ctrl) {
    OnButton(id, ctrl);
}

void DialogModel::SelectItem(int id, int index) {
    auto* f = Find(id);
    if (!f || index < -1 || index >= int(f->items.size())) return;
    f->selected = index;
    OnFieldChanged(id);
}

void DialogModel::SpinBy(int id, int steps) {
    if (Find(id) && steps != 0) OnSpin(id, steps);
}

bool DialogModel::ReadInt(const std::string& text, long long& out) {
    std::istringstream in(text);
    long long v;
    if (!(in >> v)) return false;
    out = v;
    return true;
}

bool DialogModel::ReadDouble(const std::string& text, double& out) {
    std::istringstream in(text);
    double v;
    if (!(in >> v)) return false;
    out = v;
    return true;
}

std::string DialogModel::FormatDouble(double v) {
    return FormatNumber(v, 6);
}

std::string DialogModel::FormatNumber(double v, int decimals) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    int significant = 0;
    bool leading = true;
    for (const char* c = buf; *c; ++c) {
        if (*c < '0' || *c > '9') continue;
        if (leading && *c == '0') continue;
        leading = false;
        ++significant;
    }
    if (significant > 10) std::snprintf(buf, sizeof buf, "%.10g", v);
    return buf;
}

int DialogModel::IntOf(int id) const {
    long long v = 0;
    if (auto* f = Find(id)) ReadInt(f->text, v);
    return int(v);
}

double DialogModel::DoubleOf(int id) const {
    double v = 0;
    if (auto* f = Find(id)) ReadDouble(f->text, v);
    return v;
}

void DialogModel::SetInt(int id, long long v) {
    if (auto* f = Find(id)) f->text = std::to_string(v);
}

void DialogModel::SetDouble(int id, double v) {
    if (auto* f = Find(id)) f->text = FormatDouble(v);
}

bool DialogModel::RefuseRange(Host& host, int id, double min, double max) {
    m_refused = id;
    std::string msg = "Please enter a number between %1 and %2.";
    msg = Replace(Replace(msg, "%1", FormatBound(min)), "%2", FormatBound(max));
    host.MessageBox(msg, MsgIcon::Exclamation, MsgButtons::Ok);
    return false;
}

bool DialogModel::Ok(Host& host) {
    m_refused = 0;
    for (auto& f : m_fields) {
        if (f.kind == FieldKind::Int) {
            long long v;
            bool ok = ReadInt(f.text, v);
            if (!ok && !f.ranged) {
                m_refused = f.id;
                host.MessageBox("Please enter an integer.", MsgIcon::Exclamation, MsgButtons::Ok);
                return false;
            }
            if (f.ranged && (!ok || v < f.min || v > f.max)) {
                m_refused = f.id;
                std::string msg = "Please enter an integer between %1 and %2.";
                msg = Replace(Replace(msg, "%1", FormatBound(f.min)), "%2", FormatBound(f.max));
                host.MessageBox(msg, MsgIcon::Exclamation, MsgButtons::Ok);
                return false;
            }
        } else if (f.kind == FieldKind::Double) {
            double v;
            bool ok = ReadDouble(f.text, v);
            if (!ok && !f.ranged) {
                m_refused = f.id;
                host.MessageBox("Please enter a number.", MsgIcon::Exclamation, MsgButtons::Ok);
                return false;
            }
            if (f.ranged && (!ok || v < f.min || v > f.max))
                return RefuseRange(host, f.id, f.min, f.max);
        }
    }
    return Accept(host);
}

}  // namespace gyr
