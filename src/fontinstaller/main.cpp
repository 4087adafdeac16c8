// SPDX-License-Identifier: GPL-3.0-or-later
// korvanifi: installs the legacy font "Korvani" for the user (or, run as root, for everyone) and
// says how it went, in a message box on a desktop and always on standard output or error.
#include <QApplication>

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fontinstall.h"
#include "messages.h"
#include "settings/inifile.h"

namespace {

constexpr const char* kUsage = "Usage: korvanifi [--stdout] [--user | --system]\n"
                               "Installs the legacy font Korvani into ~/.local/share/fonts, or as "
                               "root (or with --system) into /usr/local/share/fonts.\n"
                               "--stdout reports on standard output only, without a message box.\n";

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        return home;
    }
    const passwd* pw = ::getpwuid(::getuid());
    return pw != nullptr && pw->pw_dir != nullptr ? pw->pw_dir : "";
}

bool hasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    using namespace korv::fontinstall;
    bool toStdout = false;
    bool system = ::geteuid() == 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--stdout") == 0) {
            toStdout = true;
        } else if (std::strcmp(argv[i], "--user") == 0) {
            system = false;
        } else if (std::strcmp(argv[i], "--system") == 0) {
            system = true;
        } else {
            const bool help = std::strcmp(argv[i], "--help") == 0;
            std::fputs(kUsage, help ? stdout : stderr);
            return help ? 0 : 2;
        }
    }

    const std::vector<std::string> sources =
        sourceFolders(korv::executableFolder(), KORV_FONT_DATA_RELATIVE);
    const std::string home = homeFolder();
    const std::string fonts = system ? std::string(kSystemFontsFolder)
                                     : userFontsFolder(home.c_str(), std::getenv("XDG_DATA_HOME"));
    Result result{Outcome::NotWritable, "~/.local/share/fonts", "no home folder"};
    std::string cacheProblem;
    if (!fonts.empty()) {
        result = installFiles(sources, fonts + "/" + std::string(kSubfolder));
        if (succeeded(result)) {
            cacheProblem = refreshCache(spawnAndWait, fonts);
        }
    }
    const std::string text = describe(result, sources, cacheProblem);
    const bool ok = succeeded(result);
    std::fprintf(ok ? stdout : stderr, "%s\n", text.c_str());
    std::fflush(nullptr);

    if (!toStdout && hasDisplay()) {
        QApplication app(argc, argv);
        // On top: started from the About window, which stays on top, the answer must not hide.
        korv::execMessageBox(ok ? QMessageBox::Information : QMessageBox::Warning,
                             QStringLiteral("Install Legacy Fonts"), QString::fromStdString(text));
    }
    return ok ? 0 : 1;
}
