// pack, unpack: any file to and from a packed block.

#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "model/packed_block.h"
#include "platform/files.h"

namespace banmen::cli {
namespace {

int unitOf(const Arguments& args) {
    const std::string unit = args.value("--unit", "1");
    return unit == "1" ? 1 : unit == "2" ? 2 : unit == "4" ? 4 : 0;
}

}  // namespace

std::string checkPackArguments(const Arguments& args) {
    return unitOf(args) == 0 ? "--unit must be 1, 2 or 4, not \"" + args.value("--unit") + "\""
                             : std::string();
}

int runPack(const Arguments& args, Context& context) {
    const std::string& in = args.positional[0];
    const std::string& out = args.positional[1];
    if (Status writable = checkOutput(out, args.has("--force"), {in}); !writable) {
        return fail(context, out, writable);
    }
    std::vector<std::uint8_t> data;
    if (Status read = readInput(in, data); !read) {
        return fail(context, inputName(in), read);
    }
    const int unit = unitOf(args);
    const std::size_t bound = Pack(unit, data.data(), data.size(), nullptr);
    if (bound == 0) {
        return fail(context, inputName(in),
                    "too large for a packed block (" + std::to_string(data.size()) +
                        " bytes; the header holds 32-bit sizes)");
    }
    std::vector<std::uint8_t> packed(bound);
    packed.resize(Pack(unit, data.data(), data.size(), packed.data()));
    if (Status written = writeOutput(out, packed.data(), packed.size()); !written) {
        return fail(context, outputName(out), written);
    }
    return kExitSuccess;
}

int runUnpack(const Arguments& args, Context& context) {
    const std::string& in = args.positional[0];
    const std::string& out = args.positional[1];
    if (Status writable = checkOutput(out, args.has("--force"), {in}); !writable) {
        return fail(context, out, writable);
    }
    std::vector<std::uint8_t> packed;
    if (Status read = readInput(in, packed); !read) {
        return fail(context, inputName(in), read);
    }
    std::vector<std::uint8_t> data;
    if (Status unpacked = Unpack(packed.data(), packed.size(), data); !unpacked) {
        return fail(context, inputName(in), unpacked);
    }
    if (Status written = writeOutput(out, data.data(), data.size()); !written) {
        return fail(context, outputName(out), written);
    }
    return kExitSuccess;
}

}  // namespace banmen::cli
