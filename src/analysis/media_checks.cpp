// The game's pictures and sounds: files that are not found, pictures that do
// not load, and a board picture of the wrong size.

#include <cstdlib>
#include <string>
#include <vector>

#include "analysis/lint_checks.h"
#include "media/bmp_reader.h"
#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen::lint {
namespace {

constexpr std::int32_t kBoardWidth = 800;
constexpr std::int32_t kBoardHeight = 600;

std::string quoted(std::string_view fileName) {
    return sjis::lit("「") + std::string(fileName) + sjis::lit("」");
}

void checkImage(const GameRecord& record, const GameMedia& media, int m,
                std::vector<Finding>& out) {
    const std::string_view fileName = fieldText(record.images[m].fileName);
    Finding f;
    f.image = m;
    f.code = FindingCode::MissingMedia;
    const std::string who = imageCaption(record, m);
    if (fileName.empty()) {
        f.message = who + sjis::lit(" にファイル名がありません");
        out.push_back(std::move(f));
        return;
    }
    std::vector<std::uint8_t> content;
    if (!media.readPicture(record, m, content)) {
        f.message =
            who + sjis::lit(" のファイル") + quoted(fileName) + sjis::lit("が見つかりません");
        out.push_back(std::move(f));
        return;
    }
    f.code = FindingCode::BadPicture;
    DibImage image;
    if (!ReadBmp(content, image)) {
        f.message =
            who + sjis::lit(" のファイル") + quoted(fileName) + sjis::lit("を読み込めません");
        out.push_back(std::move(f));
        return;
    }
    const std::int32_t width = image.info.width;
    const std::int32_t height = std::abs(image.info.height);
    if (m == record.settings.gamePicture && (width != kBoardWidth || height != kBoardHeight)) {
        f.message = who + sjis::lit(" は盤面の絵柄ですが、大きさが ") + std::to_string(width) +
                    sjis::lit(" × ") + std::to_string(height) +
                    sjis::lit(" です（800 × 600 にして下さい）");
        out.push_back(std::move(f));
    }
}

}  // namespace

void checkMedia(const GameRecord& record, const GameMedia& media, std::vector<Finding>& out) {
    for (int m = 0; m < kImageCount; ++m) {
        if (inUse(record.images[m])) {
            checkImage(record, media, m, out);
        }
    }
    for (int n = 0; n < kSoundCount; ++n) {
        if (!inUse(record.sounds[n]) || media.hasSound(record, n)) {
            continue;
        }
        const std::string_view fileName = fieldText(record.sounds[n].fileName);
        Finding f;
        f.code = FindingCode::MissingMedia;
        f.sound = n;
        f.message = soundCaption(record, n) + (fileName.empty()
                                                   ? sjis::lit(" にファイル名がありません")
                                                   : sjis::lit(" のファイル") + quoted(fileName) +
                                                         sjis::lit("が見つかりません"));
        out.push_back(std::move(f));
    }
}

}  // namespace banmen::lint
