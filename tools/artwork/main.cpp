// make-artwork RESOURCES-FOLDER
//
// Draws every picture of the program and of the default media, and writes
// them under the resources folder with the embedded resource list. The same
// run on the same system writes the same bytes.

#include <QGuiApplication>
#include <cstdio>
#include <string>

#include "artwork_set.h"
#include "painters.h"
#include "style.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-artwork RESOURCES-FOLDER\n");
        return 2;
    }
    // Drawing needs no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::string missing;
    if (!banmen::art::loadFonts(missing)) {
        std::fprintf(stderr, "make-artwork: cannot load the font %s\n", missing.c_str());
        return 1;
    }

    using namespace banmen::art;
    ArtworkSet set;
    paintPieces(set);
    paintPanels(set);
    paintDefaultBoard(set);
    paintDice(set);
    paintPlayButtons(set);
    paintMapSprites(set);
    paintPageButtons(set);
    paintProgramIcon(set);
    paintDefaultPieces(set);
    paintDefaultScenes(set);
    paintLandscape(set);

    std::string error;
    if (!set.writeAll(argv[1], error)) {
        std::fprintf(stderr, "make-artwork: %s\n", error.c_str());
        return 1;
    }
    std::printf("make-artwork: %zu pictures written under %s\n", set.pictures().size(), argv[1]);
    return 0;
}
