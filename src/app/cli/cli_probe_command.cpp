// probe: what a picture or a sound holds, or why it does not load, so that an
// author can see why a picture does not show or a sound stays silent.

#include <string>

#include "cli/cli_commands.h"
#include "cli/cli_probe_sound.h"
#include "media/dib_bitmap.h"

namespace banmen::cli {

int printProbe(std::initializer_list<ProbeField> fields, bool json, Context& context) {
    std::string text;
    for (const ProbeField& field : fields) {
        const std::string key(field.key);
        if (json) {
            text += (text.empty() ? "{\"" : ",\"") + key + "\":" + field.value;
        } else {
            text += key + ": " + field.value + "\n";
        }
    }
    if (json) {
        text += "}\n";
    }
    if (Status printed = writeStdout(text); !printed) {
        return fail(context, "<stdout>", printed);
    }
    return kExitSuccess;
}

int runProbe(const Arguments& args, Context& context) {
    const std::string& path = args.positional[0];
    const bool json = args.has("--json");
    if (Status readable = checkInputFile(path); !readable) {
        return fail(context, path, readable);
    }

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
    return printProbe({{"width", std::to_string(bitmap.GetWidth())},
                       {"height", std::to_string(bitmap.GetHeight())},
                       {"depth", std::to_string(bitmap.GetBitsPerPixel())},
                       {"colours", std::to_string(bitmap.GetColourCount())}},
                      json, context);
}

}  // namespace banmen::cli
