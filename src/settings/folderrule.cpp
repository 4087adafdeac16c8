// SPDX-License-Identifier: GPL-3.0-or-later
// The choice of the settings folder, apart from how each system finds its facts.
#include "settings/settingsfolder.h"

namespace korv {

std::string chooseSettingsFolder(const FolderFacts& facts) {
    const bool beside = !facts.exeFolder.empty() && !facts.installedBinFolder &&
                        (facts.exeFolderWritable || facts.iniWritable);
    if (beside || facts.userConfigFolder.empty()) {
        return facts.exeFolder;
    }
    return facts.userConfigFolder;
}

} // namespace korv
