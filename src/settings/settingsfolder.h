// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where KORVANI.INI and KORVANI.LOG live. A copy the user may write beside (a portable copy, the
// build folder) keeps them there; an installed copy keeps them in the user's configuration folder.

#include <string>

namespace korv {

// What the choice depends on, gathered by probeSettingsFolder from the system.
struct FolderFacts {
    std::string exeFolder;        // ends in "/"; empty when /proc cannot tell it
    bool installedBinFolder;      // exeFolder is the folder `cmake --install` put the program in
    bool exeFolderWritable;       // the user may create files in exeFolder
    bool iniWritable;             // KORVANI.INI exists in exeFolder and the user may write it
    std::string userConfigFolder; // $XDG_CONFIG_HOME/korvani/ or ~/.config/korvani/; may be empty
};

// The settings folder, ending in "/": exeFolder unless it is the installed program's folder or
// the user can neither create files there nor write a KORVANI.INI found there; then the user's
// configuration folder (or, if there is none, exeFolder all the same).
std::string chooseSettingsFolder(const FolderFacts& facts);

// "korvani/" in $XDG_CONFIG_HOME, else in home's ".config"; a relative path counts as unset.
// Empty when neither is an absolute path.
std::string userConfigFolder(const char* xdgConfigHome, const char* home);

// The facts for this process: its environment, its user, the file system.
FolderFacts probeSettingsFolder(const std::string& exeFolder);

// Creates folder and its missing parents: the last one with the user's default permissions,
// parents private as configuration folders are. True when it exists afterwards.
bool makeFolder(const std::string& folder);

// The settings folder of this process, created when it is the user's configuration folder.
std::string settingsFolder(const std::string& exeFolder);

} // namespace korv
