// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korv::fontinstall {

inline constexpr std::string_view kFontFile = "Korvani.ttf";
// The licence asks that the derived font travel with its text and the note of what changed.
inline constexpr std::string_view kLicenceFiles[] = {"Korvani-OFL.txt", "Korvani-FONTLOG.txt"};
inline constexpr std::string_view kSystemFontsFolder = "/usr/local/share/fonts";
// A folder of its own inside the fonts folder: the font and its texts stay together.
inline constexpr std::string_view kSubfolder = "korvani";

// Where the font may lie: beside the installer (a build or an unpacked copy), then in the data
// folder of an installed copy, given relative to the installer's folder.
std::vector<std::string> sourceFolders(const std::string& exeFolder,
                                       std::string_view relativeDataFolder);

// The fonts folder fontconfig reads for the user: $XDG_DATA_HOME/fonts when that is an absolute
// path, otherwise ~/.local/share/fonts; empty without a home folder.
std::string userFontsFolder(const char* home, const char* xdgDataHome);

enum class Outcome { Installed, Updated, Unchanged, NoFont, NotWritable };

struct Result {
    Outcome outcome;
    std::string folder; // where the font is, or was to go
    std::string detail; // the system's reason for a failure
};

// Copies the font and its licence texts from the first source folder that has the font into
// target, creating it. All or nothing: on failure nothing new is left behind; identical files are
// left untouched.
Result installFiles(const std::vector<std::string>& sources, const std::string& target);

// Runs a program with arguments, no shell, and waits for it: its exit status; -1 with errno set
// when it could not be started; kKilled when it did not end by itself.
inline constexpr int kKilled = -2;
using RunProgram = std::function<int(const std::vector<std::string>& argv)>;

// Has fontconfig rescan fontsFolder; returns empty on success, else why it failed.
std::string refreshCache(const RunProgram& run, const std::string& fontsFolder);

// The text the user reads; cacheProblem is refreshCache's answer.
std::string describe(const Result& result, const std::vector<std::string>& sources,
                     const std::string& cacheProblem);

bool succeeded(const Result& result);

// posix_spawnp and wait: the RunProgram of the real installer.
int spawnAndWait(const std::vector<std::string>& argv);

} // namespace korv::fontinstall
