// Writes the seed corpora of the fuzz targets from our own builders and
// sounds: `fuzz-seeds DIR` fills DIR/TARGET/ (the repository keeps them in
// fuzz/seeds). Every seed is small, so that the fuzzer starts fast.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "media/bmp_writer.h"
#include "model/archive_writer.h"
#include "model/packed_block.h"
#include "model/record_json.h"
#include "platform/settings/program_settings.h"
#include "support/sample_records.h"

using namespace banmen;
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

fs::path outputRoot;

void put(const std::string& target, const std::string& name, const Bytes& bytes) {
    const fs::path folder = outputRoot / target;
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "fuzz-seeds: cannot write %s/%s\n", target.c_str(), name.c_str());
        std::exit(1);
    }
}

void put(const std::string& target, const std::string& name, const std::string& text) {
    put(target, name, Bytes(text.begin(), text.end()));
}

Bytes readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void put16(Bytes& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(Bytes& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// A patch as the patching targets read it: 24-bit offset, length, bytes.
void patch(Bytes& out, std::uint32_t offset, const Bytes& bytes) {
    put16(out, offset & 0xFFFF);
    out.push_back(static_cast<std::uint8_t>(offset >> 16));
    out.push_back(static_cast<std::uint8_t>(bytes.size()));
    out.insert(out.end(), bytes.begin(), bytes.end());
}

Bytes packed(int unit, const void* data, std::size_t size) {
    Bytes out(Pack(unit, data, size, nullptr));
    out.resize(Pack(unit, data, size, out.data()));
    return out;
}

void workspaceSeeds() {
    put("workspace", "current", Bytes{0});
    Bytes changed{0};
    patch(changed, offsetof(GameRecord, settings) + offsetof(GameSettings, playerCount),
          {7, 0, 0, 0});
    patch(changed, offsetof(GameRecord, squares), {'A', 0x82, 0});
    put("workspace", "current-patched", changed);
    Bytes previous{1};
    patch(previous, 264, {'T', 'i', 't', 'l', 'e'});
    patch(previous, 17276, {'S', 0});
    put("workspace", "previous", previous);
    put("workspace", "other-size", Bytes{2, 1, 2, 3});
}

void projectSeeds() {
    const auto record = std::make_unique<GameRecord>(test::defaultRecord());
    // Unit size 4: a quarter of the flag bytes of unit size 1, which alone
    // would be 34 KB for a record.
    put("project", "default-unit4", packed(4, record.get(), sizeof(GameRecord)));
    const std::string text = "a few bytes, then more of the same: aaaaaaaaaaaaaaaaaaaa";
    put("project", "text-unit2", packed(2, text.data(), text.size()));
    put("project", "text-unit4", packed(4, text.data(), text.size() - 1));
}

Bytes bmpFile(int bits, int width, int height, std::uint32_t compression = 0) {
    BitmapInfo info;
    info.width = width;
    info.height = height;
    info.bitCount = static_cast<std::uint16_t>(bits);
    info.compression = compression;
    if (bits <= 8) {
        info.colorsUsed = 1u << bits;
        for (std::uint32_t i = 0; i < info.colorsUsed; ++i) {
            info.colours[i] = {static_cast<std::uint8_t>(i * 37), static_cast<std::uint8_t>(i * 11),
                               static_cast<std::uint8_t>(255 - i), 0};
        }
    }
    if (bits == 16) {
        info.compression = 3;
        info.masks = {0xF800, 0x07E0, 0x001F};
    }
    Bytes pixels(DibStride(width, info.bitCount) * static_cast<std::size_t>(height));
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    const Bytes dib = PackDib(info, pixels.data());
    Bytes file = BmpFileHeader(info, dib.size());
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

// An 8-bit or 4-bit RLE image of 4 x 3 pixels with a run, literal bytes, a
// delta and the end codes.
Bytes rleFile(int bits) {
    const Bytes data = bits == 8 ? Bytes{3, 1, 0, 3, 5, 6, 7, 0, 0, 0, 2, 1, 0, 4, 2, 0, 1}
                                 : Bytes{4, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 0, 0, 1};
    Bytes out{'B', 'M'};
    const std::uint32_t tableBytes = 4u << bits;
    put32(out, static_cast<std::uint32_t>(14 + 40 + tableBytes + data.size()));
    put32(out, 0);
    put32(out, 14 + 40 + tableBytes);
    put32(out, 40);
    put32(out, 4);
    put32(out, 3);
    put16(out, 1);
    put16(out, static_cast<unsigned>(bits));
    put32(out, bits == 8 ? 1 : 2);
    put32(out, static_cast<std::uint32_t>(data.size()));
    put32(out, 0);
    put32(out, 0);
    put32(out, 1u << bits);
    put32(out, 0);
    for (std::uint32_t i = 0; i < tableBytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(i));
    }
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

void bmpSeeds() {
    for (const int bits : {1, 4, 8, 16, 24, 32}) {
        put("bmp", "rgb" + std::to_string(bits), bmpFile(bits, 5, 3));
    }
    put("bmp", "rle8", rleFile(8));
    put("bmp", "rle4", rleFile(4));
}

// A RIFF WAVE file with the given format chunk body and data.
Bytes wavFile(const Bytes& format, const Bytes& data) {
    Bytes out{'R', 'I', 'F', 'F'};
    put32(out,
          static_cast<std::uint32_t>(4 + 8 + format.size() + 8 + data.size() + data.size() % 2));
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(out, static_cast<std::uint32_t>(format.size()));
    out.insert(out.end(), format.begin(), format.end());
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2 != 0) {
        out.push_back(0);
    }
    return out;
}

Bytes formatChunk(unsigned tag, unsigned channels, std::uint32_t rate, unsigned blockAlign,
                  unsigned bits, const Bytes& extra = {}, bool withExtraSize = true) {
    Bytes out;
    put16(out, tag);
    put16(out, channels);
    put32(out, rate);
    put32(out, rate * blockAlign);
    put16(out, blockAlign);
    put16(out, bits);
    if (withExtraSize) {
        put16(out, static_cast<unsigned>(extra.size()));
        out.insert(out.end(), extra.begin(), extra.end());
    }
    return out;
}

void wavSeeds() {
    Bytes ramp8;
    for (int i = 0; i < 64; ++i) {
        ramp8.push_back(static_cast<std::uint8_t>(i * 4));
    }
    put("wav", "pcm8-mono", wavFile(formatChunk(1, 1, 8000, 1, 8, {}, false), ramp8));
    Bytes ramp16;
    for (int i = 0; i < 64; ++i) {
        put16(ramp16, static_cast<unsigned>(i * 1000));
    }
    put("wav", "pcm16-stereo", wavFile(formatChunk(1, 2, 22050, 4, 16, {}, false), ramp16));
    Bytes floats;
    for (int i = 0; i < 32; ++i) {
        const float value = static_cast<float>(i) / 40.0f - 0.4f;
        std::uint32_t bitsOf = 0;
        std::memcpy(&bitsOf, &value, sizeof value);
        put32(floats, bitsOf);
    }
    put("wav", "float32", wavFile(formatChunk(3, 1, 11025, 4, 32), floats));
    put("wav", "ulaw", wavFile(formatChunk(7, 1, 8000, 1, 8), ramp8));
    put("wav", "alaw", wavFile(formatChunk(6, 1, 8000, 1, 8), ramp8));
    put("wav", "pcm24",
        wavFile(formatChunk(1, 1, 8000, 3, 24, {}, false),
                Bytes(ramp8.begin(), ramp8.begin() + 63)));
    // IMA ADPCM: one block of 36 bytes (4-byte header, 32 bytes of nibbles)
    // holding 65 samples.
    Bytes ima{0x10, 0x00, 0x20, 0x00};
    for (int i = 0; i < 32; ++i) {
        ima.push_back(static_cast<std::uint8_t>(0x17 * i));
    }
    put("wav", "ima-adpcm", wavFile(formatChunk(0x11, 1, 8000, 36, 4, {65, 0}), ima));
}

void mp3Seeds(const fs::path& sounds) {
    put("mp3", "click", readFile(sounds / "Click.mp3"));
    const Bytes dice = readFile(sounds / "Dice.mp3");
    const auto cut = static_cast<std::ptrdiff_t>(std::min<std::size_t>(dice.size(), 2500));
    put("mp3", "dice-start", Bytes(dice.begin(), dice.begin() + cut));
}

void archiveSeeds() {
    const fs::path work = fs::temp_directory_path() / ("fuzz-seeds-" + std::to_string(::getpid()));
    fs::create_directories(work);
    const std::string text = "a small stand-in for the packed record";
    const Bytes project = packed(1, text.data(), text.size());
    {
        std::ofstream(work / "game.sgp", std::ios::binary)
            .write(reinterpret_cast<const char*>(project.data()),
                   static_cast<std::streamsize>(project.size()));
        const Bytes picture = bmpFile(8, 3, 2);
        std::ofstream(work / "a.bmp", std::ios::binary)
            .write(reinterpret_cast<const char*>(picture.data()),
                   static_cast<std::streamsize>(picture.size()));
    }
    ArchiveWriter writer;
    const std::string archive = (work / "game.sgr").string();
    if (!writer.CreateArchive(archive, 0) || !writer.AddPath((work / "game.sgp").string()) ||
        !writer.AddFolderEntry("Image Files") || !writer.AddFolderEntry("Sound Files") ||
        !writer.AddUnder((work / "a.bmp").string(), "Image Files") || !writer.Close()) {
        std::fprintf(stderr, "fuzz-seeds: cannot write the archive seed\n");
        std::exit(1);
    }
    put("archive", "game", readFile(archive));
    Bytes header{'A', 'r', 'C', 'h', 0, 0, 0, 0x20};
    put("archive", "header-only", header);
    fs::remove_all(work);
}

void recordJsonSeeds() {
    const auto record = std::make_unique<GameRecord>(test::defaultRecord());
    put("record_json", "default", recordToJson(*record));
    put("record_json", "values",
        std::string(R"({"a": [1, -2.5e3, true, null, "\u3042\n"], "b": {}})"));
}

void settingsSeeds() {
    const fs::path home =
        fs::temp_directory_path() / ("fuzz-seeds-config-" + std::to_string(::getpid()));
    ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    RecentWorkspaces recent{"/home/a/ゲーム/one.sgw", "/tmp/two, three.sgw", "", "", ""};
    if (!writeBuildFolder("/home/a/build") || !writeMapLock(true) || !writeMapGrid(false) ||
        !writeRecentWorkspaces(recent)) {
        std::fprintf(stderr, "fuzz-seeds: cannot write the settings seed\n");
        std::exit(1);
    }
    put("settings", "program", readFile(home / "MOEGI" / "Banmen.conf"));
    put("settings", "player",
        std::string("[General]\nDefImageFolder=sz:/srv/images\nDefSoundFolder=sz-hex:2f736e64\n"));
    fs::remove_all(home);
}

void playSeeds() {
    put("play", "defaults", Bytes{0x18, 1, 2, 3, 4});
    put("play", "full", Bytes{0x19, 5, 0, 3, 1});
    put("play", "full-debug", Bytes{0x1F, 2, 4, 6, 8, 12});
    Bytes patched{0x09, 3, 7};
    patch(patched, offsetof(GameRecord, settings) + offsetof(GameSettings, playerCount),
          {4, 0, 0, 0});
    patch(patched, offsetof(GameRecord, squares) + offsetof(SquareDef, kind), {3, 0, 0, 0});
    put("play", "patched", patched);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz-seeds OUT-DIR SOUNDS-DIR\n");
        return 2;
    }
    outputRoot = argv[1];
    workspaceSeeds();
    projectSeeds();
    archiveSeeds();
    recordJsonSeeds();
    bmpSeeds();
    wavSeeds();
    mp3Seeds(argv[2]);
    settingsSeeds();
    playSeeds();
    return 0;
}
