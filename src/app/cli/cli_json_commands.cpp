// dump, load-json: the game record as JSON and back.

#include <memory>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "model/record_json.h"
#include "model/record_owner.h"
#include "model/record_ranges.h"
#include "model/workspace.h"
#include "platform/files.h"

namespace banmen::cli {

int runDump(const Arguments& args, Context& context) {
    const std::string& path = args.positional[0];
    RecordOwner owner;
    if (Status opened = openRecordFile(path, owner, context); !opened) {
        return fail(context, path, opened);
    }
    if (Status printed = writeStdout(recordToJson(owner.record(), args.has("--all"))); !printed) {
        return fail(context, "<stdout>", printed);
    }
    return kExitSuccess;
}

int runLoadJson(const Arguments& args, Context& context) {
    const std::string& in = args.positional[0];
    const std::string& out = args.positional[1];
    if (Status writable = checkOutput(out, args.has("--force"), {in}); !writable) {
        return fail(context, out, writable);
    }
    std::vector<std::uint8_t> bytes;
    if (Status read = readInput(in, bytes); !read) {
        return fail(context, inputName(in), read);
    }
    auto record = std::make_unique<GameRecord>();
    const std::string_view json(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (Status loaded = recordFromJson(json, *record); !loaded) {
        return fail(context, inputName(in), loaded);
    }
    if (Status written = writeOutput(out, record.get(), kGameRecordSize); !written) {
        return fail(context, outputName(out), written);
    }
    // The format holds such values, so the record is written; the editor
    // would never have made them, so the author hears of each.
    for (const std::string& value : outOfRangeValues(*record)) {
        context.notifier.notify({}, inputName(in) + ": warning: " + value, NoticeIcon::Information);
    }
    return kExitSuccess;
}

}  // namespace banmen::cli
