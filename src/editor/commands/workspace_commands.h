#pragma once
// The File menu and the sample game: new, open, save as, close, the recent
// workspaces and the sample. Save and exit are the window's own; every
// command that would drop changes asks first (EditorWindow::askSaveModified).

#include <string>

namespace banmen {

class EditorDocument;
class EditorWindow;

void bindWorkspaceCommands(EditorWindow& window);

// The name of a fresh workspace in `projects`: "新規雙六(n)" for the lowest
// n from 1 whose folder does not exist yet.
std::string defaultWorkspaceName(const std::string& projects);
// A fresh workspace of that name under "MyProjects" (start-up and Close),
// titled with its name and without a picture.
void createDefaultWorkspace(EditorDocument& document);

// "MyProjects/サンプル雙六/サンプル雙六.sgw" under the writable base folder,
// else under the base folder when only the program's own copy is there.
std::string sampleGamePath();
// Opens the sample game in place of the open workspace (no question asked:
// callers ask first where changes could be lost).
void openSampleGame(EditorWindow& window);

// Start-up: offers the recoveries of workspaces that were never saved (or
// whose file is gone), newest first, until one is restored.
void offerOrphanRecoveries(EditorWindow& window);

}  // namespace banmen
