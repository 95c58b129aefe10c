#include "media/font_faces.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <set>

#include "platform/sjis.h"

namespace banmen {
namespace {

struct FaceMapping {
    const char16_t* face;
    const char16_t* ascii;
    const char16_t* family;
    const char16_t* fallback;
};

constexpr FaceMapping kFaces[] = {
    {u"ＭＳ 明朝", u"MS Mincho", u"IPAMincho", u"Noto Serif CJK JP"},
    {u"ＭＳ Ｐ明朝", u"MS PMincho", u"IPAPMincho", u"Noto Serif CJK JP"},
    {u"ＭＳ ゴシック", u"MS Gothic", u"IPAGothic", u"Noto Sans CJK JP"},
    {u"ＭＳ Ｐゴシック", u"MS PGothic", u"IPAPGothic", u"Noto Sans CJK JP"},
};

bool haveFontDatabase() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

// Ascent plus descent over the em of a font's face and style, measured once.
double cellPerEm(const QFont& font) {
    static std::mutex lock;
    static std::map<QString, double> known;
    const QString key = font.families().join(QLatin1Char(',')) + QLatin1Char('/') +
                        QString::number(font.weight()) +
                        (font.italic() ? QStringLiteral("/i") : QString());
    std::lock_guard<std::mutex> hold(lock);
    if (auto it = known.find(key); it != known.end()) {
        return it->second;
    }
    QFont probe = font;
    constexpr int kProbeSize = 256;
    probe.setPixelSize(kProbeSize);
    const QFontMetricsF metrics(probe);
    const double ratio = (metrics.ascent() + metrics.descent()) / kProbeSize;
    known.emplace(key, ratio);
    return ratio;
}

// Whether a family is installed. Asking fontconfig costs a substitution
// walk, and every label of a page asks; a family found stays found, so only
// that answer is kept (a font added later can still turn up).
bool familyInstalled(const QString& family) {
    static std::mutex lock;
    static std::set<QString> found;
    {
        std::lock_guard<std::mutex> hold(lock);
        if (found.count(family) != 0) {
            return true;
        }
    }
    if (!QFontDatabase::hasFamily(family)) {
        return false;
    }
    std::lock_guard<std::mutex> hold(lock);
    found.insert(family);
    return true;
}

}  // namespace

QStringList FontFamiliesFor(const QString& face) {
    const QString trimmed = face.trimmed();
    for (const FaceMapping& m : kFaces) {
        if (trimmed == QString::fromUtf16(m.face) ||
            trimmed.compare(QString::fromUtf16(m.ascii), Qt::CaseInsensitive) == 0) {
            const QString family = QString::fromUtf16(m.family);
            const QString fallback = QString::fromUtf16(m.fallback);
            // Without the mapped face, the fallback goes first.
            if (haveFontDatabase() && !familyInstalled(family) &&
                QFontDatabase::hasFamily(fallback)) {
                return {fallback, family};
            }
            return {family, fallback};
        }
    }
    return {trimmed};
}

int PixelsForPointTenths(int tenths) {
    const std::int64_t product = std::int64_t{tenths} * 96;
    const std::int64_t half = product >= 0 ? 360 : -360;
    return static_cast<int>((product + half) / 720);
}

QFont MakeFont(const QString& face, int height, int weight, bool italic, bool underline) {
    QFont font;
    font.setFamilies(FontFamiliesFor(face));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight <= 0 ? 400 : weight, 100, 900)));
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    if (height == 0) {
        height = -PixelsForPointTenths(100);  // the platform's default size
    }
    if (height < 0) {
        font.setPixelSize(-height);
    } else if (haveFontDatabase()) {
        // A cell height: the character height is the part of it the em takes.
        const double cell = cellPerEm(font);
        const double em = cell > 0 ? height / cell : height;
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));
    } else {
        font.setPixelSize(height);
    }
    return font;
}

QFont MakePointFont(const QString& face, int tenths, int weight) {
    return MakeFont(face, -PixelsForPointTenths(tenths), weight);
}

QFont DefaultFont() {
    return MakePointFont(QStringLiteral(u"ＭＳ ゴシック"), 90);
}

QString TextFromSjis(std::string_view cp932) {
    return QString::fromStdString(sjis::toUtf8Lossy(cp932));
}

}  // namespace banmen
