#include "window/snapshot.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <type_traits>

#include "platform/text.h"
#include "window/fenetre.h"

namespace dx {

namespace {

// The shortest text that reads back as the same number: 3519.75 stays
// 3519.75 and whole coordinates carry no decimals.
template <class F>
std::string floatText(F v) {
    if (!std::isfinite(v)) return "null";
    if (v == 0) return "0";  // no "-0"
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string colourText(const Rgb& c) {
    std::string text = "#";
    for (const int part : {c.r, c.g, c.b}) text += upperCase(zeroPadded(part, 2, 16));
    return text;
}

// Builds one JSON object, member by member, in the order given.
class JsonObject {
public:
    JsonObject& raw(const char* key, const std::string& json) {
        out_ += out_.size() > 1 ? "," : "";
        out_ += jsonQuote(key) + ":" + json;
        return *this;
    }
    JsonObject& raw(const std::string& key, const std::string& json) {
        return raw(key.c_str(), json);
    }
    JsonObject& str(const char* key, const std::string& v) { return raw(key, jsonQuote(v)); }
    JsonObject& flag(const char* key, bool v) { return raw(key, v ? "true" : "false"); }
    JsonObject& num(const char* key, long long v) { return raw(key, std::to_string(v)); }
    JsonObject& num(const char* key, float v) { return raw(key, floatText(v)); }
    JsonObject& colour(const char* key, const Rgb& c) { return raw(key, jsonQuote(colourText(c))); }
    std::string done() const { return out_ + "}"; }

private:
    std::string out_ = "{";
};

std::string controlJson(const WindowProps& w) {
    return JsonObject()
        .str("caption", w.caption)
        .flag("keypreview", w.keyPreview)
        .colour("back", w.back)
        .done();
}

std::string controlJson(const Label& l) {
    return JsonObject()
        .str("caption", l.caption)
        .flag("visible", l.visible)
        .flag("enabled", l.enabled)
        .colour("fore", l.fore)
        .colour("back", l.back)
        .str("tooltip", l.tooltip)
        .done();
}

std::string controlJson(const Button& b) {
    return JsonObject()
        .str("caption", b.caption)
        .flag("visible", b.visible)
        .flag("enabled", b.enabled)
        .str("tooltip", b.tooltip)
        .done();
}

std::string controlJson(const Frame& f) {
    return JsonObject().str("caption", f.caption).flag("visible", f.visible).done();
}

std::string controlJson(const Picture& p) {
    // The hourglass is a busy state the window shows for a moment; it stands
    // for the system's pointer, not for the control's own picture.
    const char* pointer = p.pointer == MousePointer::Custom ? "custom" : "default";
    return JsonObject()
        .flag("visible", p.visible)
        .num("top", static_cast<long long>(p.top))
        .num("left", static_cast<long long>(p.left))
        .colour("back", p.back)
        .str("pointer", pointer)
        .str("tooltip", p.tooltip)
        .str("image", p.image)
        .done();
}

std::string controlJson(const Line& l) {
    return JsonObject()
        .num("x1", l.x1)
        .num("y1", l.y1)
        .num("x2", l.x2)
        .num("y2", l.y2)
        .colour("color", l.color)
        .num("width", static_cast<long long>(l.width))
        .flag("visible", l.visible)
        .done();
}

std::string controlJson(const MenuItem& m) {
    return JsonObject()
        .str("caption", m.caption)
        .flag("visible", m.visible)
        .flag("enabled", m.enabled)
        .flag("checked", m.checked)
        .done();
}

std::string controlJson(const Scrollbar& s) {
    return JsonObject()
        .num("value", static_cast<long long>(s.value()))
        .num("max", static_cast<long long>(s.max))
        .num("small", static_cast<long long>(s.smallChange))
        .num("large", static_cast<long long>(s.largeChange))
        .flag("enabled", s.enabled)
        .flag("visible", s.visible)
        .done();
}

std::string controlJson(const Timer& t) {
    return JsonObject()
        .num("interval", static_cast<long long>(t.interval()))
        .flag("enabled", t.enabled())
        .done();
}

std::string fieldJson(const TextField& f, bool focused) {
    return JsonObject()
        .str("text", f.text())
        .flag("visible", f.visible)
        .flag("enabled", f.enabled)
        .num("selstart", static_cast<long long>(f.selStart()))
        .num("sellength", static_cast<long long>(f.selLength()))
        .str("tooltip", f.tooltip)
        .flag("focus", focused)
        .done();
}

template <class Container>
std::string arrayJson(const Container& elements) {
    std::string out = "[";
    for (size_t i = 0; i < elements.size(); ++i) {
        if (i > 0) out += ",";
        out += elements[i] ? controlJson(*elements[i]) : "null";
    }
    return out + "]";
}

template <class V>
std::string varJson(const V& v) {
    if constexpr (std::is_same_v<V, std::string>)
        return jsonQuote(v);
    else if constexpr (std::is_same_v<V, DateTime>)
        return jsonQuote(v.iso());
    else if constexpr (std::is_floating_point_v<V>)
        return floatText(v);
    else if constexpr (std::is_integral_v<V> && !std::is_same_v<V, bool>)
        return std::to_string(v);
    else
        static_assert(!sizeof(V), "a form-level variable of a type the snapshot cannot print");
}

struct ArrayEntry {
    const char* name;
    std::string (*json)(const Fenetre&);
};

const ArrayEntry kArrays[] = {
    {"Ligne", [](const Fenetre& w) { return arrayJson(w.Ligne); }},
    {"Aff_Jour", [](const Fenetre& w) { return arrayJson(w.Aff_Jour); }},
    {"Aff_Mois", [](const Fenetre& w) { return arrayJson(w.Aff_Mois); }},
    {"Aff_Niveau", [](const Fenetre& w) { return arrayJson(w.Aff_Niveau); }},
};

std::string journalJson(const Journal& j) {
    std::string out = "[";
    const int count = std::clamp(j.Nb_Tests, 0, kMaxTests);
    for (int i = 1; i <= count; ++i) {
        const auto at = static_cast<size_t>(i);
        out += i > 1 ? ",[" : "[";
        out += jsonQuote(j.Date_Test[at]);
        out += ',';
        out += jsonQuote(j.Heure_Test[at]);
        out += ',';
        out += jsonQuote(j.Taux_Test[at]);
        out += ',';
        out += jsonQuote(j.Note_Test[at]);
        out += ']';
    }
    return out + "]";
}

}  // namespace

std::string snapshotJson(const Fenetre& w, const std::vector<std::string>& only) {
    const auto wanted = [&](const std::string& name) {
        return only.empty() || std::find(only.begin(), only.end(), name) != only.end();
    };

    JsonObject controls;
    for (const ControlEntry& e : w.controls()) {
        if (!wanted(e.name)) continue;
        std::string json = std::visit(
            [&](auto* c) {
                using T = std::remove_pointer_t<decltype(c)>;
                if constexpr (std::is_same_v<T, TextField>)
                    return fieldJson(*c, w.focused() == e.name);
                else
                    return controlJson(*c);
            },
            e.ref);
        controls.raw(e.name, json);
    }

    JsonObject arrays;
    for (const ArrayEntry& a : kArrays)
        if (wanted(a.name)) arrays.raw(a.name, a.json(w));

    JsonObject vars;
    w.forEachVar([&](const char* name, const auto& value) {
        if (wanted(name)) vars.raw(name, varJson(value));
    });

    return JsonObject()
        .raw("dump", JsonObject()
                         .raw("controls", controls.done())
                         .raw("arrays", arrays.done())
                         .raw("vars", vars.done())
                         .raw("journal", journalJson(w.journal))
                         .done())
        .done();
}

bool isControlArray(const std::string& name) {
    for (const ArrayEntry& a : kArrays)
        if (name == a.name) return true;
    return false;
}

bool snapshotKnows(const Fenetre& w, const std::string& name) {
    if (w.findControl(name) != nullptr || isControlArray(name)) return true;
    bool found = false;
    w.forEachVar([&](const char* var, const auto&) { found = found || name == var; });
    return found;
}

}  // namespace dx
