#pragma once
// The linter: a game's problems, found from its record and its media files
// without playing it. Findings are warnings for the author, never refusals:
// a game with findings still plays and builds.

#include <string>
#include <vector>

#include "analysis/finding.h"
#include "analysis/game_media.h"
#include "model/game_record.h"

namespace banmen {

// Every finding, grouped by code in the order of FindingCode and, within a
// code, by the index of the object it is about.
std::vector<Finding> LintGame(const GameRecord& record, const GameMedia& media);

// The check before a build: the media of the workspace in `folder` and the
// default folders. Reads the settings for those folders, so call it where
// the settings may be read (the editor's user-interface thread).
std::vector<Finding> LintWorkspace(const GameRecord& record, const std::string& folder);

}  // namespace banmen
