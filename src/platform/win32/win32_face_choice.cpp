#include "platform/win32/win32_face_choice.h"

#include <algorithm>
#include <array>
#include <optional>
#include <tuple>

namespace platform::win32 {

namespace {

enum class Kind { Mincho, Gothic, Unknown };

struct LayoutFace {
    std::u16string_view japaneseName;
    std::u16string_view englishName;
    Kind kind;
    bool fixedPitch;
};

constexpr std::array<LayoutFace, 4> kLayoutFaces{{
    {u"ＭＳ Ｐ明朝", u"MS PMincho", Kind::Mincho, false},
    {u"ＭＳ 明朝", u"MS Mincho", Kind::Mincho, true},
    {u"ＭＳ Ｐゴシック", u"MS PGothic", Kind::Gothic, false},
    {u"ＭＳ ゴシック", u"MS Gothic", Kind::Gothic, true},
}};

// Families in order of preference, the first prefix that fits counting.
constexpr std::array<std::pair<std::u16string_view, int>, 9> kFamilies{{
    {u"IPAex", 1},
    {u"IPA", 0},
    {u"Yu ", 2},
    {u"游", 2},
    {u"Meiryo", 2},
    {u"Noto", 3},
    {u"Source Han", 3},
    {u"源ノ", 3},
    {u"Takao", 4},
}};
constexpr int kOtherFamily = 5;

bool contains(std::u16string_view text, std::u16string_view part) {
    return text.find(part) != std::u16string_view::npos;
}

Kind kindOf(std::u16string_view name) {
    for (std::u16string_view mark : {u"明朝", u"Mincho", u"Serif", u"Ming"}) {
        if (contains(name, mark)) return Kind::Mincho;
    }
    for (std::u16string_view mark : {u"ゴシック", u"Gothic", u"Sans", u"Meiryo", u"メイリオ"}) {
        if (contains(name, mark)) return Kind::Gothic;
    }
    return Kind::Unknown;
}

int familyRank(std::u16string_view name) {
    for (const auto& [prefix, rank] : kFamilies) {
        if (name.substr(0, prefix.size()) == prefix) return rank;
    }
    return kOtherFamily;
}

const LayoutFace* layoutFace(std::u16string_view name) {
    for (const LayoutFace& face : kLayoutFaces) {
        if (name == face.japaneseName || name == face.englishName) return &face;
    }
    return nullptr;
}

bool installed(std::u16string_view name, const std::vector<InstalledFace>& faces) {
    return std::any_of(faces.begin(), faces.end(),
                       [name](const InstalledFace& f) { return f.name == name; });
}

// Lower is closer; none for vertical faces and faces of no known kind.
std::optional<std::tuple<int, int, int>> distance(const LayoutFace& wanted,
                                                  const InstalledFace& face) {
    const Kind kind = kindOf(face.name);
    if (face.name.empty() || face.name.front() == u'@' || kind == Kind::Unknown)
        return std::nullopt;
    return std::make_tuple(kind == wanted.kind ? 0 : 1,
                           face.fixedPitch == wanted.fixedPitch ? 0 : 1, familyRank(face.name));
}

}  // namespace

std::u16string closestFace(std::u16string_view wanted, const std::vector<InstalledFace>& faces) {
    const LayoutFace* layout = layoutFace(wanted);
    if (!layout || installed(wanted, faces)) return std::u16string(wanted);
    for (std::u16string_view name : {layout->japaneseName, layout->englishName}) {
        if (installed(name, faces)) return std::u16string(name);
    }
    const InstalledFace* best = nullptr;
    std::optional<std::tuple<int, int, int>> bestDistance;
    for (const InstalledFace& face : faces) {
        const auto d = distance(*layout, face);
        // Equal distances go to the first name in sort order, so the choice
        // does not depend on the order the system lists its fonts in.
        if (d && (!bestDistance || *d < *bestDistance ||
                  (*d == *bestDistance && face.name < best->name))) {
            best = &face;
            bestDistance = d;
        }
    }
    return best ? best->name : std::u16string(wanted);
}

}  // namespace platform::win32
