// probe: what a picture or a sound holds, or why it does not load, so that an
// author can see why a picture does not show or a sound stays silent.

#include <string>

#include "cli/cli_commands.h"
#include "cli/cli_probe_sound.h"
#include "media/dib_bitmap.h"

namespace banmen::cli {

int runProbe(const Arguments& args, Context& context) {
    const std::string& path = args.positional[0];
    const bool json = args.has("--json");

    // Sounds: see cli_probe_sound.h.
    if (isSoundPath(path)) {
        return probeSound(path, json, context);
    }

    // Pictures, loaded as the program loads them.
    DibBitmap bitmap;
    Status why;
    if (!bitmap.LoadFile(path, kNoColour, &why)) {
        return fail(context, path, why);
    }
    const std::string width = std::to_string(bitmap.GetWidth());
    const std::string height = std::to_string(bitmap.GetHeight());
    const std::string depth = std::to_string(bitmap.GetBitsPerPixel());
    const std::string colours = std::to_string(bitmap.GetColourCount());
    const std::string text = json ? "{\"width\":" + width + ",\"height\":" + height +
                                        ",\"depth\":" + depth + ",\"colours\":" + colours + "}\n"
                                  : "width: " + width + "\nheight: " + height +
                                        "\ndepth: " + depth + "\ncolours: " + colours + "\n";
    if (Status printed = writeStdout(text); !printed) {
        return fail(context, "<stdout>", printed);
    }
    return kExitSuccess;
}

}  // namespace banmen::cli
