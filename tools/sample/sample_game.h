#pragma once
// The sample game "四季めぐり雙六": its record, and the media files it names.
//
// Four rows of twelve squares each run through the seasons, spring at the
// foot of the board to winter, and a fifth row of New Year squares ends at
// the shrine; five squares lie off the road (two short cuts, a detour and
// two retire squares). Between them the game uses every square kind,
// branches, arrival, passing and dice jumps, rests, all five operators
// with every multiplier and counterpart, shown and hidden player data and
// states, a help text with its picture, supplementary pictures and sounds.

#include <string>
#include <vector>

#include "model/game_record.h"

namespace banmen::sample {

// The stored names of the files, as the record holds them (ASCII).
struct MediaFile {
    std::string file;
    std::string source;  // "" for the pictures and sounds the tool makes itself
};

struct SampleGame {
    GameRecord record{};
    std::vector<MediaFile> pictures;  // into "Image Files"
    std::vector<MediaFile> sounds;    // into "Sound Files"
    std::string error;                // why the table could not be made into a record
};

// The record and its media. `error` is set when a text of the table does
// not fit its field (the table is wrong).
SampleGame buildSampleGame();

// The files the tool draws or synthesises itself.
inline constexpr char kBoardFile[] = "SampleBoard.bmp";
inline constexpr char kHelpFile[] = "SampleHelp.bmp";
inline constexpr char kHanamiFile[] = "Hanami.bmp";
inline constexpr char kHanabiFile[] = "Hanabi.bmp";
inline constexpr char kMomijiFile[] = "Momiji.bmp";
inline constexpr char kHinodeFile[] = "Hinode.bmp";
inline constexpr char kBellFile[] = "Kane.wav";

}  // namespace banmen::sample
