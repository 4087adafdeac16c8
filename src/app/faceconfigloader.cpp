// SPDX-License-Identifier: GPL-3.0-or-later
#include "faceconfigloader.h"

#include <fontconfig/fontconfig.h>
#include <malloc.h>

#include <system_error>

namespace korv {

FaceConfigLoader::FaceConfigLoader() {
    // Parsing the configuration files and mapping the face caches takes longer than anything else
    // the window's first face costs. Qt would do it then, after connecting to the display; done
    // meanwhile on the other core, it leaves the start's path.
    try {
        m_thread = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to spare: Qt reads the configuration itself, as it would have.
    }
}

FaceConfigLoader::~FaceConfigLoader() {
    wait();
}

void FaceConfigLoader::wait() {
    // Joined before any face is asked for: a second reader would build the configuration again.
    if (m_thread.joinable()) {
        m_thread.join();
#if defined(__GLIBC__)
        // What the reading freed on the other thread goes back to the system: the window's own
        // allocations would reuse only part of it, and the rest would add to the start's peak.
        malloc_trim(0);
#endif
    }
}

} // namespace korv
