// make-sample-game RESOURCES-FOLDER OUTPUT-FOLDER
//
// Writes the sample workspace "サンプル雙六" into OUTPUT-FOLDER: the
// workspace file "サンプル雙六.sgw", its pictures in "Image Files" (drawn
// here, or taken from the default pictures under RESOURCES-FOLDER) and its
// sounds in "Sound Files" (our own sounds, and a bell made here). The folder
// is made whole beside the target and then put in its place, so a failed
// run leaves the previous sample as it was.

#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "artwork_set.h"
#include "bell_sound.h"
#include "platform/files.h"
#include "sample_game.h"
#include "sample_pictures.h"
#include "style.h"

namespace {

namespace fs = std::filesystem;
using namespace banmen::sample;

bool write(const fs::path& path, const void* bytes, std::size_t size) {
    const banmen::Status written = banmen::WriteWholeFile(path.string(), bytes, size);
    if (!written) {
        std::fprintf(stderr, "make-sample-game: %s: %s\n", path.c_str(), written.reason().c_str());
    }
    return written.isOk();
}

bool writeBitmap(const fs::path& path, const QImage& picture) {
    const QByteArray bytes = banmen::art::encodeBmp24(picture);
    return write(path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool copyInto(const fs::path& source, const fs::path& target) {
    std::error_code error;
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, error);
    if (error) {
        std::fprintf(stderr, "make-sample-game: %s: %s\n", source.c_str(), error.message().c_str());
        return false;
    }
    return true;
}

bool writeWorkspace(const fs::path& folder, const fs::path& resources) {
    const SampleGame game = buildSampleGame();
    if (!game.error.empty()) {
        std::fprintf(stderr, "make-sample-game: %s\n", game.error.c_str());
        return false;
    }
    const fs::path images = folder / "Image Files";
    const fs::path sounds = folder / "Sound Files";
    fs::create_directories(images);
    fs::create_directories(sounds);

    const QImage board = paintBoard(game.record);
    const std::pair<const char*, QImage> drawn[] = {
        {kBoardFile, board},          {kHelpFile, paintHelpPicture(board)},
        {kHanamiFile, paintHanami()}, {kHanabiFile, paintHanabi()},
        {kMomijiFile, paintMomiji()}, {kHinodeFile, paintHinode()},
    };
    for (const auto& [file, picture] : drawn) {
        if (!writeBitmap(images / file, picture)) {
            return false;
        }
    }
    for (const MediaFile& picture : game.pictures) {
        if (!picture.source.empty() &&
            !copyInto(resources / picture.source, images / picture.file)) {
            return false;
        }
    }
    const std::vector<std::uint8_t> bell = bellWav();
    if (!write(sounds / kBellFile, bell.data(), bell.size())) {
        return false;
    }
    for (const MediaFile& sound : game.sounds) {
        if (!sound.source.empty() && !copyInto(resources / sound.source, sounds / sound.file)) {
            return false;
        }
    }
    return write(folder / "サンプル雙六.sgw", &game.record, sizeof(game.record));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-sample-game RESOURCES-FOLDER OUTPUT-FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::string missing;
    if (!banmen::art::loadFonts(missing)) {
        std::fprintf(stderr, "make-sample-game: cannot load the font %s\n", missing.c_str());
        return 1;
    }
    const fs::path target = fs::absolute(argv[2]);
    const fs::path part = target.parent_path() / (target.filename().string() + ".part");
    std::error_code error;
    fs::remove_all(part, error);
    if (!writeWorkspace(part, argv[1])) {
        fs::remove_all(part, error);
        return 1;
    }
    fs::remove_all(target, error);
    fs::rename(part, target, error);
    if (error) {
        std::fprintf(stderr, "make-sample-game: %s: %s\n", target.c_str(), error.message().c_str());
        return 1;
    }
    std::printf("make-sample-game: %s\n", target.c_str());
    return 0;
}
